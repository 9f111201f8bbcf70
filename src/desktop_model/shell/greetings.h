#pragma once
// The life on the main window between analyses: the clock, the greeting in
// five languages, the start picture that gives way to a saying and the menu
// text, and the saying of the dedication window.
namespace cpt {

class AppContext;

// Fills the sayings and sets the saying and menu labels (both stay hidden).
void StartUpSayings(AppContext& context);

// The 500 ms tick.
void Timer1_Timer(AppContext& context);

void Image1_Click(AppContext& context);
void Label4_Click(AppContext& context);
void Label4_DblClick(AppContext& context);

// Picks the teacher saying of the dedication window.
void LoadDedicationWindow(AppContext& context);

}  // namespace cpt
