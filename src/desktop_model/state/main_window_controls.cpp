#include "desktop_model/state/main_window_controls.h"

#include "desktop_model/state/sayings.h"

#include <string>

namespace cpt {
namespace {

struct ButtonDesign {
    std::string_view name;
    std::string_view caption;
    std::string_view frame;
};

// The button list with the captions and frames the window shows them in.
constexpr std::array<ButtonDesign, ButtonListSize> ButtonDesigns{{
    {"cmdReadDataA1", "A1. Read data ", "Frame4"},
    {"cmdBasicRunA2", "A2. Basic run", "Frame4"},
    {"cmdBootstrap", "A3. Bootstrap", "Frame4"},
    {"cmdSortAndCountLT", "A4. Sort LT", "Frame4"},
    {"cmdReadNandF", "B. Read N, F   ", "Frame4"},
    {"cmdPairedBootTest", "C. PT (1 by 1)", "Frame4"},
    {"cmdMatchedLifeTable", "D. Match LT", "Frame4"},
    {"FMNmatrices", "E. FMN matrices", "Frame4"},
    {"Command28", "F. Group stages", "Frame4"},
    {"cmdGeneralBootstrap", "G. General boot", "Frame4"},
    {"cmdHarvest", "H. Harvest", "Frame4"},
    {"ContributionPartition", "I. Contribution", "Frame4"},
    {"cmdCalculateRatio", "J. Ratio", "Frame4"},
    {"Command44", "K. Time unit", "Frame4"},
    {"cmdSortandCount", "L. Sort, count", "Frame4"},
    {"cmdCountBootLifeTable", "M. Count boot LT", "Frame4"},
    {"cmdAddDuration", "O. Overwinter", "Frame4"},
    {"cmdWriteSpeLifeTable", "P. Specific LT", "Frame4"},
    {"cmdCartesianDifference", "Q. CartesianPT", "Frame4"},
    {"Command21", "Multiple CI", "Frame4"},
    {"cmdReduceReprodPeriod", "Reduce reprod.", "Frame4"},
    {"cmdSplitStage", "Split stage", "Frame4"},
    {"cmdMultiCompCI", "Multi-comp. CI", "Frame4"},
    {"cmdCountBootIndNr", "Count boot ind.", "Frame4"},
    {"cmdCreateLectureFile", "Lecture file", "Frame4"},
    {"cmdSplit", "Split file", "Frame4"},
    {"Command16", "Sxj", "Frame1"},
    {"Command13", "lx", "Frame1"},
    {"Command14", "fxj", "Frame1"},
    {"Command15", "mx", "Frame1"},
    {"Command12", "lxmx", "Frame1"},
    {"Command20", "vxj", "Frame1"},
    {"cmdCxj", "cxj", "Frame1"},
    {"cmdFr", "Fr", "Frame1"},
    {"Command29", "exj", "Frame1"},
    {"Command22", "Pxj", "Frame1"},
    {"Command5", "Age-stage", "Frame1"},
    {"Command3", "Survival", "Frame1"},
    {"Command7", "Fecundity", "Frame1"},
    {"Command17", "Life expect.", "Frame1"},
    {"Command6", "Reprod. value", "Frame1"},
    {"cmdCurtailedR", "Curtailed r", "Frame1"},
    {"cmdCumuR0", "Cumulative R0", "Frame1"},
    {"Command32", "Stable dist.", "Frame1"},
    {"Command10", "Projection", "Frame1"},
    {"cmdmxlxmx", "mx, lxmx", "Frame1"},
    {"Command31", "Net maternity", "Frame1"},
    {"cmdShowFRegressOnLong", "F vs longevity", "Frame1"},
    {"Command34", "Oviposition", "Frame1"},
    {"Command33", "Daily fecund.", "Frame1"},
    {"Command35", "Cumu. fecund.", "Frame1"},
    {"cmdShowFvsAdultLong", "F vs adult", "Frame1"},
    {"cmdShowTailedR", "Tailed r", "Frame1"},
    {"cmdShowTailedRo", "Tailed R0", "Frame1"},
    {"Command9", "Stage dist.", "Frame1"},
    {"cmdLewontin", "Lewontin", "Frame1"},
    {"cmdFvsConsume", "F vs consume", "Frame1"},
    {"Command18", "Consumption", "Frame1"},
    {"Command19", "Predation", "Frame1"},
    {"Command37", "Harvest fig.", "Frame1"},
    {"cmdShowFemaleFecundExpectancy", "Fecund. expect.", "Frame1"},
    {"Command42", "Sex ratio", "Frame1"},
    {"cmdFecundityVsOvidays", "F vs ovi. days", "Frame1"},
    {"cmdBootLx", "Boot lx", "Frame1"},
    {"cmdBootMx", "Boot mx", "Frame1"},
    {"cmdAddDurationToStage", "Add duration", "Frame6"},
    {"cmdAddStage", "Add stage", "Frame6"},
    {"Command36", "Transition", "Frame6"},
    {"Command38", "Jackknife", "Frame6"},
    {"Command39", "Life table file", "Frame6"},
    {"Command40", "Bootstrap file", "Frame6"},
    {"showBootandJackResult", "Boot & jack", "Frame6"},
    {"Command26", "Probit", "Frame6"},
    {"cmdShowCumuFreqinProbit", "Cumu. probit", "Frame6"},
    {"cmdCalMNCforSpecR0", "MNC for R0", "Frame6"},
    {"Command25", "Export", "Frame6"},
    {"Command11", "Print", "Frame6"},
    {"Command4", "Options", "Frame6"},
    {"Command27", "Help", "Frame6"},
    {"Command1", "Quit", "Frame6"},
}};

constexpr std::array<std::string_view, ButtonListSize> buttonNames() {
    std::array<std::string_view, ButtonListSize> names{};
    for (std::size_t i = 0; i < ButtonDesigns.size(); ++i) names[i] = ButtonDesigns[i].name;
    return names;
}

Control make(std::string_view name, ControlKind kind, std::string_view caption, std::string_view parent) {
    Control control;
    control.name = name;
    control.kind = kind;
    control.caption = caption;
    control.parent = parent;
    return control;
}

}  // namespace

const std::array<std::string_view, ButtonListSize> ButtonList = buttonNames();

const std::array<std::string_view, 16> GreetingPictures{
    "picMorning1", "picAfternoon1", "picEvening1", "picBedtime1", "picMorning2", "picAfternoon2",
    "picEvening2", "picBedtime2", "picMorning3", "picAfternoon3", "picEvening3", "picBedtime3",
    "picMorning4", "picAfternoon4", "picEvening4", "picBedtime4"};

std::vector<Control> mainWindowControls() {
    using K = ControlKind;
    std::vector<Control> controls{
        make("Form1", K::Window, "Life table is the key to population ecology, pest management, and biological control", ""),
        make("Frame4", K::Frame, "Main procedures", "Form1"),
        make("Frame1", K::Frame, "Main figures", "Form1"),
        make("Frame5", K::Frame, "Population parameters", "Form1"),
        make("Frame6", K::Frame, "", "Form1"),
        make("Frame3", K::Frame, "Graph", "Form1"),
        make("Frame2", K::Frame, "Author", "Form1"),
        make("Label12", K::Label, "", "Form1"),
        make("Label1", K::Label, "", "Form1"),
        make("Label6", K::Label, "", "Form1"),
        make("Label13", K::Label, "How do you do?", "Form1"),
        make("Label2", K::Label, "Bootstrap is running. Please wait!", "Frame3"),
        make("lblBootBegin", K::Label, "", "Form1"),
        make("lblBootEnd", K::Label, "", "Form1"),
        make("txtDatafile", K::TextBox, "", "Form1"),
        make("Image1", K::Image, "", "Frame3"),
        make("Label4", K::Label, "", "Frame3"),
        make("Label14", K::Label, "", "Frame3"),
        make("MSFlexGrid1", K::Grid, "", "Frame3"),
        make("MSChart1", K::Chart, "", "Frame3"),
        make("MSChart2", K::Chart, "", "Frame3"),
        make("picAuthor", K::Picture, "", "Frame2"),
        make("lblContact", K::Label, "", "Frame2"),
        make("cmdGeneralNormalTest", K::Button, "N. Sort, norm.  ", "Frame4"),
        make("Command2", K::Button, "Multinomial expansion", "Frame6"),
        make("Vater", K::Window, "Dedication", ""),
        make("Vater.Picture2", K::Picture, "", "Vater"),
        make("Vater.Command1", K::Button, "", "Vater"),
    };
    for (Control& control : controls) {
        if (control.name == "Vater") control.visible = false;  // it waits for the quit
        if (control.name == "Label6") control.toolTip = "Introduction";
        if (control.name == "Label6" || control.name == "Label4") control.fontSize = 12;
        // Shown, but without an action in this edition.
        if (control.name == "Command2") control.enabled = false;
        if (control.name == "Vater.Command1") control.caption = DedicationSayings[0];
    }

    for (std::string_view name : GreetingPictures) controls.push_back(make(name, K::Picture, "", "Frame3"));
    for (int box = 1; box <= 6; ++box) {
        controls.push_back(make("txtParameter" + std::to_string(box), K::TextBox, "", "Frame5"));
    }
    for (const ButtonDesign& design : ButtonDesigns) {
        Control button = make(design.name, K::Button, design.caption, design.frame);
        if (design.name == "Command1") button.toolTip = "Quit this program";
        controls.push_back(std::move(button));
    }
    return controls;
}

}  // namespace cpt
