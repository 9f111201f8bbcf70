#include "desktop_model/state/button_states.h"

#include <string_view>

#include "desktop_model/state/app_context.h"
#include "desktop_model/state/control_names.h"
#include "desktop_model/state/main_window_controls.h"

namespace cpt {

void DisableAllButtonsForCartesian(AppContext& context) {
    ControlModel& window = context.window;
    window[control::Frame1].enabled = false;
    window[control::Frame5].enabled = false;
    window[control::Frame4].enabled = true;
    window[control::Frame6].enabled = true;
    for (std::string_view name : ButtonList) {
        window.named(name).enabled = name == control::cmdCartesianDifference.text();
    }
}

void EnableAllButtonsForImage(AppContext& context) {
    ControlModel& window = context.window;
    window[control::Frame1].enabled = true;
    window[control::Frame4].enabled = true;
    window[control::Frame5].enabled = true;
    for (std::string_view name : ButtonList) window.named(name).enabled = true;
    window[control::cmdGeneralNormalTest].enabled = true;
}

}  // namespace cpt
