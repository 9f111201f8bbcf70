#include "desktop_model/shell/main_window_model.h"

#include <array>
#include <string>

#include "core/common/number_format.h"
#include "desktop_model/state/app_context.h"
#include "desktop_model/state/button_states.h"
#include "desktop_model/state/control_names.h"
#include "core/common/edition.h"
#include "desktop_model/shell/greetings.h"
#include "desktop_model/state/main_window_controls.h"

namespace cpt {

void LoadMainWindow(AppContext& context) {
    AnalysisState& state = context.state;
    ControlModel& window = context.window;

    state.EditionLabel = edition::Label;
    DisableAllButtonsForCartesian(context);

    state.MaxBootstrapNumber = edition::MaxBootstrapNumber;
    state.StatedMaxTreatments = edition::StatedMaxTreatments;
    state.MaxCartesianProducts = state.MaxBootstrapNumber * state.MaxBootstrapNumber;
    Control& title = window[control::Label12];
    title.caption = std::string(edition::ProgramTitle) + "\nCartesian Paired Test Only\n";
    title.backColor = Rgb{128, 64, 0};
    title.foreColor = Rgb{255, 255, 0};
    title.fontSize = 22;
    window[control::cmdGeneralNormalTest].enabled = false;
    state.EditionSummary = "(B =" + textNumber(state.MaxBootstrapNumber) + ", CPT =" +
                           textNumber(state.MaxCartesianProducts) + ", " +
                           std::to_string(state.StatedMaxTreatments) + " treatments)";
    title.fontSize = 18;
    title.caption += state.EditionSummary;

    state.VersionText = "Ver. " + std::string(edition::VersionDate);
    window[control::Label1].caption = std::string(edition::Authorship) + state.VersionText;

    state.StartupTime = context.clock.now();
    state.StartupRevealPending = true;

    window[control::Frame1].enabled = true;
    window[control::Label2].visible = false;
    window[control::Label4].visible = false;
    window[control::Label14].visible = false;
    window[control::Image1].visible = true;
    for (std::string_view picture : GreetingPictures) window.named(picture).visible = false;

    window[control::cmdAddDurationToStage].visible = true;
    window[control::Command2].visible = true;
    window[control::lblContact].caption = edition::Contact;
    window[control::MSChart1].visible = false;
    window[control::MSChart2].visible = false;
    window[control::MSFlexGrid1].visible = false;
    window[control::lblBootBegin].visible = false;
    window[control::lblBootEnd].visible = false;
    window[control::cmdBasicRunA2].visible = true;
    window[control::Command6].visible = true;
    window[control::Command4].enabled = false;
    window[control::Command21].enabled = false;
    window[control::Label13].visible = true;

    StartUpSayings(context);

    window[control::Form1].visible = true;
}

void Label6_Click(AppContext& context) {
    // Outside maintainer mode the clock is only a clock.
    if (context.state.MaintainerMode) EnableAllButtonsForImage(context);
}

void Command1_Click(AppContext& context) {
    context.closeAllFiles();
    context.window[control::Form1].visible = false;
    LoadDedicationWindow(context);
    context.window[control::Vater].visible = true;
}

void Vater_Command1_Click(AppContext& context) { Form1_Close(context); }

void Vater_Close(AppContext& context) { Form1_Close(context); }

void Form1_Close(AppContext& context) {
    context.closeAllFiles();
    context.window.requestExit();
}

}  // namespace cpt
