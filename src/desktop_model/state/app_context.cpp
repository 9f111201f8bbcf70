#include "desktop_model/state/app_context.h"

#include "core/common/user_error.h"
#include "desktop_model/state/main_window_controls.h"

namespace cpt {

AppContext::AppContext(Dialogs& dialogs, Clock& clock, bool maintainerMode)
    : window(mainWindowControls()), dialogs(dialogs), clock(clock),
      workingDirectory(std::filesystem::current_path()) {
    state.MaintainerMode = maintainerMode;
}

void AppContext::trace(std::string_view procedure) {
    if (!state.FlowRecord || !flowFile.isOpen()) return;
    flowFile.write("Sub ");
    flowFile.writeLine(procedure);
    flowFile.flushToSystem();
}

void AppContext::closeAllFiles() {
    if (flowFile.isOpen()) {
        try {
            flowFile.close();
        } catch (const UserError& error) {
            // Like any output file: the user must know the record is not whole.
            dialogs.tell(error.what(), "The flow record file cannot be written");
        }
    }
    state.FlowRecord = false;
}

}  // namespace cpt
