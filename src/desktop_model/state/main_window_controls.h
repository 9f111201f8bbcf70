#pragma once
// The controls of the main window and of the dedication window, as data.
#include <array>
#include <string_view>
#include <vector>

#include "desktop_model/common/control_model.h"

namespace cpt {

inline constexpr int ButtonListSize = 80;

// The buttons that the two state-setting procedures handle, in their order.
extern const std::array<std::string_view, ButtonListSize> ButtonList;

// The sixteen greeting pictures of the graph frame (morning, afternoon,
// evening and bedtime, four sets), hidden at start-up for good.
extern const std::array<std::string_view, 16> GreetingPictures;

// Every control of both windows with its design-time caption and place.
std::vector<Control> mainWindowControls();

}  // namespace cpt
