#pragma once
// An application context wired to scripted dialogues, a test clock and a
// fresh working folder.
#include "desktop_model/state/app_context.h"
#include "support/scripted_dialogs.h"
#include "support/test_clock.h"
#include "support/test_files.h"

namespace cpt::testing {

struct AppFixture {
    explicit AppFixture(bool maintainerMode = false) : context(dialogs, clock, maintainerMode) {
        context.workingDirectory = folder.path();
    }

    TempFolder folder;
    ScriptedDialogs dialogs;
    TestClock clock;
    AppContext context;
};

}  // namespace cpt::testing
