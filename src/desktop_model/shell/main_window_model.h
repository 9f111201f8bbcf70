#pragma once
// Start-up, the re-enable request and the quit path of the main window: the
// procedures that change its model, which the desktop program draws.
namespace cpt {

class AppContext;

// The start-up sequence, run when the main window is loaded.
void LoadMainWindow(AppContext& context);

// A click on the clock label: the maintainer's re-enable request.
void Label6_Click(AppContext& context);

// "Quit": closes every file, hides the main window, shows the dedication window.
void Command1_Click(AppContext& context);

// The dedication window's button, or closing it: the program ends.
void Vater_Command1_Click(AppContext& context);
void Vater_Close(AppContext& context);

// Closing the main window by its frame ends the program at once.
void Form1_Close(AppContext& context);

}  // namespace cpt
