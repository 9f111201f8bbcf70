#pragma once
// The two states of the main window's buttons: ready for a Cartesian run,
// and everything enabled (the maintainer's re-enable request).
namespace cpt {

class AppContext;

void DisableAllButtonsForCartesian(AppContext& context);
void EnableAllButtonsForImage(AppContext& context);

}  // namespace cpt
