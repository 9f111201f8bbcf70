#pragma once
// The main window's controls that the program names, as typed constants: a
// misspelt name does not compile. Each must stand in the control list
// (mainWindowControls); a test checks that it does.
#include <array>

#include "desktop_model/common/control_model.h"

namespace cpt::control {

inline constexpr ControlName cmdAddDurationToStage{"cmdAddDurationToStage"};
inline constexpr ControlName cmdBasicRunA2{"cmdBasicRunA2"};
inline constexpr ControlName cmdCartesianDifference{"cmdCartesianDifference"};
inline constexpr ControlName cmdGeneralNormalTest{"cmdGeneralNormalTest"};
inline constexpr ControlName cmdMatchedLifeTable{"cmdMatchedLifeTable"};
inline constexpr ControlName cmdMultiCompCI{"cmdMultiCompCI"};
inline constexpr ControlName cmdReadDataA1{"cmdReadDataA1"};
inline constexpr ControlName cmdReadNandF{"cmdReadNandF"};
inline constexpr ControlName Command1{"Command1"};
inline constexpr ControlName Command2{"Command2"};
inline constexpr ControlName Command21{"Command21"};
inline constexpr ControlName Command3{"Command3"};
inline constexpr ControlName Command4{"Command4"};
inline constexpr ControlName Command5{"Command5"};
inline constexpr ControlName Command6{"Command6"};
inline constexpr ControlName FMNmatrices{"FMNmatrices"};
inline constexpr ControlName Form1{"Form1"};
inline constexpr ControlName Frame1{"Frame1"};
inline constexpr ControlName Frame3{"Frame3"};
inline constexpr ControlName Frame4{"Frame4"};
inline constexpr ControlName Frame5{"Frame5"};
inline constexpr ControlName Frame6{"Frame6"};
inline constexpr ControlName Image1{"Image1"};
inline constexpr ControlName Label1{"Label1"};
inline constexpr ControlName Label12{"Label12"};
inline constexpr ControlName Label13{"Label13"};
inline constexpr ControlName Label14{"Label14"};
inline constexpr ControlName Label2{"Label2"};
inline constexpr ControlName Label4{"Label4"};
inline constexpr ControlName Label6{"Label6"};
inline constexpr ControlName lblBootBegin{"lblBootBegin"};
inline constexpr ControlName lblBootEnd{"lblBootEnd"};
inline constexpr ControlName lblContact{"lblContact"};
inline constexpr ControlName MSChart1{"MSChart1"};
inline constexpr ControlName MSChart2{"MSChart2"};
inline constexpr ControlName MSFlexGrid1{"MSFlexGrid1"};
inline constexpr ControlName txtDatafile{"txtDatafile"};
inline constexpr ControlName Vater{"Vater"};
inline constexpr ControlName Vater_Command1{"Vater.Command1"};

// Every constant above, for that check.
inline constexpr std::array All{
    cmdAddDurationToStage, cmdBasicRunA2, cmdCartesianDifference, cmdGeneralNormalTest, cmdMatchedLifeTable,
    cmdMultiCompCI, cmdReadDataA1, cmdReadNandF, Command1, Command2, Command21, Command3, Command4, Command5,
    Command6, FMNmatrices, Form1, Frame1, Frame3, Frame4, Frame5, Frame6, Image1, Label1, Label12, Label13, Label14,
    Label2, Label4, Label6, lblBootBegin, lblBootEnd, lblContact, MSChart1, MSChart2, MSFlexGrid1, txtDatafile,
    Vater, Vater_Command1
};

}  // namespace cpt::control
