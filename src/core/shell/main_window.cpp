#include "core/shell/main_window.h"

#include <array>
#include <string>

#include "core/common/number_format.h"
#include "core/state/app_context.h"
#include "core/state/button_states.h"
#include "core/state/edition.h"
#include "core/shell/greetings.h"
#include "core/state/main_window_controls.h"

namespace cpt {

void LoadMainWindow(AppContext& context) {
    AnalysisState& state = context.state;
    ControlModel& window = context.window;

    state.EditionLabel = edition::Label;
    DisableAllButtonsForCartesian(context);

    state.MaxBootstrapNumber = edition::MaxBootstrapNumber;
    state.StatedMaxTreatments = edition::StatedMaxTreatments;
    state.MaxCartesianProducts = state.MaxBootstrapNumber * state.MaxBootstrapNumber;
    Control& title = window["Label12"];
    title.caption = std::string(edition::ProgramTitle) + "\nCartesian Paired Test Only\n";
    title.backColor = Rgb{128, 64, 0};
    title.foreColor = Rgb{255, 255, 0};
    title.fontSize = 22;
    window["cmdGeneralNormalTest"].enabled = false;
    state.EditionSummary = "(B =" + textNumber(state.MaxBootstrapNumber) + ", CPT =" +
                           textNumber(state.MaxCartesianProducts) + ", " +
                           std::to_string(state.StatedMaxTreatments) + " treatments)";
    title.fontSize = 18;
    title.caption += state.EditionSummary;

    state.VersionText = "Ver. " + std::string(edition::VersionDate);
    window["Label1"].caption = std::string(edition::Authorship) + state.VersionText;

    state.StartupTime = context.clock.now();
    state.StartupRevealPending = true;

    window["Frame1"].enabled = true;
    window["Label2"].visible = false;
    window["Label4"].visible = false;
    window["Label14"].visible = false;
    window["Image1"].visible = true;
    for (std::string_view picture : GreetingPictures) window[picture].visible = false;

    window["cmdAddDurationToStage"].visible = true;
    window["Command2"].visible = true;
    window["lblContact"].caption = edition::Contact;
    window["MSChart1"].visible = false;
    window["MSChart2"].visible = false;
    window["MSFlexGrid1"].visible = false;
    window["lblBootBegin"].visible = false;
    window["lblBootEnd"].visible = false;
    window["cmdBasicRunA2"].visible = true;
    window["Command6"].visible = true;
    window["Command4"].enabled = false;
    window["Command21"].enabled = false;
    window["Label13"].visible = true;

    StartUpSayings(context);

    window["Form1"].visible = true;
}

void Label6_Click(AppContext& context) {
    // Outside maintainer mode the clock is only a clock.
    if (context.state.MaintainerMode) EnableAllButtonsForImage(context);
}

void Command1_Click(AppContext& context) {
    context.closeAllFiles();
    context.window["Form1"].visible = false;
    LoadDedicationWindow(context);
    context.window["Vater"].visible = true;
}

void Vater_Command1_Click(AppContext& context) { Form1_Close(context); }

void Vater_Close(AppContext& context) { Form1_Close(context); }

void Form1_Close(AppContext& context) {
    context.closeAllFiles();
    context.window.requestExit();
}

}  // namespace cpt
