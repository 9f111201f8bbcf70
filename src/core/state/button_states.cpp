#include "core/state/button_states.h"

#include <string_view>

#include "core/state/app_context.h"
#include "core/state/main_window_controls.h"

namespace cpt {

void DisableAllButtonsForCartesian(AppContext& context) {
    ControlModel& window = context.window;
    window["Frame1"].enabled = false;
    window["Frame5"].enabled = false;
    window["Frame4"].enabled = true;
    window["Frame6"].enabled = true;
    for (std::string_view name : ButtonList) window[name].enabled = name == "cmdCartesianDifference";
}

void EnableAllButtonsForImage(AppContext& context) {
    ControlModel& window = context.window;
    window["Frame1"].enabled = true;
    window["Frame4"].enabled = true;
    window["Frame5"].enabled = true;
    for (std::string_view name : ButtonList) window[name].enabled = true;
    window["cmdGeneralNormalTest"].enabled = true;
}

}  // namespace cpt
