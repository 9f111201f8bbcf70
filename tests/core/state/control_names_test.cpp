// Every control the program names stands in the control list, so a typed
// name can never miss its control.
#include <gtest/gtest.h>

#include <set>
#include <string_view>

#include "desktop_model/state/control_names.h"
#include "desktop_model/state/main_window_controls.h"

namespace cpt {
namespace {

TEST(ControlNames, EachConstantNamesOneControlOfTheList) {
    ControlModel window(mainWindowControls());
    std::set<std::string_view> seen;
    for (ControlName name : control::All) {
        EXPECT_TRUE(window.contains(name.text())) << name.text();
        EXPECT_TRUE(seen.insert(name.text()).second) << name.text() << " twice";
    }
}

TEST(ControlNames, AnUnknownNameFromDataIsRefused) {
    ControlModel window(mainWindowControls());
    EXPECT_THROW(window.named("Lable2"), std::logic_error);
    EXPECT_EQ(&window.named("Label2"), &window[control::Label2]);
}

}  // namespace
}  // namespace cpt
