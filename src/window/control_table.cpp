#include "window/control_table.h"

#include <array>

namespace drovane {
namespace {

using enum ControlKind;
using enum Container;
using namespace option;

constexpr std::array controls{
    // Tab 0: choosing a program
    ControlSpec{"DirectoryField", TextField, Tab0, 31, 45, 498, 23, "", ReadOnly},
    ControlSpec{"PatternField", TextField, Tab0, 533, 45, 34, 23, "*.nc", Centred},
    ControlSpec{"DirectoryButton", Button, Tab0, 570, 44, 25, 25, ":\\"},
    ControlSpec{"FileList", FileList, Tab0, 31, 77, 564, 317, ""},
    ControlSpec{"FileButton", Button, Tab0, 31, 414, 120, 27, "Programm laden"},
    ControlSpec{"FileNameField", TextField, Tab0, 164, 417, 370, 22, "", ThinBorder},
    ControlSpec{"DirectionButton", ImageButton, Tab0, 546, 407, 51, 43, "", 0, Picture::Send},
    ControlSpec{"StatusLine", Editor, Tab0, 12, 478, 602, 76, "", ReadOnly},
    ControlSpec{"ProgramFrame", GroupBox, Tab0, 11, 16, 602, 447, " Programm auswählen "},
    // Tab 1: the machine profile
    ControlSpec{"MachineCombo", DropDown, Tab1, 29, 40, 209, 21, ""},
    ControlSpec{"AddMachineButton", Button, Tab1, 249, 39, 21, 23, "+"},
    ControlSpec{"DeleteMachineButton", Button, Tab1, 274, 39, 21, 23, "-"},
    ControlSpec{"PortCombo", DropDown, Tab1, 458, 41, 123, 21, ""},
    ControlSpec{"BaudCombo", DropDown, Tab1, 458, 68, 123, 21, ""},
    ControlSpec{"DataBitsCombo", DropDown, Tab1, 458, 95, 123, 21, ""},
    ControlSpec{"ParityCombo", DropDown, Tab1, 458, 122, 123, 21, ""},
    ControlSpec{"StopBitsCombo", DropDown, Tab1, 458, 149, 123, 21, ""},
    ControlSpec{"HandshakeCombo", DropDown, Tab1, 458, 176, 123, 21, ""},
    ControlSpec{"ReceiveTimeoutField", TextField, Tab1, 199, 108, 65, 21, "300", DigitsOnly},
    ControlSpec{"ReceiveBufferCombo", DropDown, Tab1, 199, 135, 65, 21, ""},
    ControlSpec{"ReceiveControlFilterCombo", DropDown, Tab1, 199, 162, 65, 21, ""},
    ControlSpec{"EndCharField", TextField, Tab1, 199, 189, 65, 21, "04", DigitsOnly},
    ControlSpec{"SendTimeoutField", TextField, Tab1, 194, 253, 65, 20, "300", DigitsOnly},
    ControlSpec{"SendBufferCombo", DropDown, Tab1, 194, 279, 65, 21, ""},
    ControlSpec{"LineEndCombo", DropDown, Tab1, 194, 305, 65, 21, "", Disabled},
    ControlSpec{"SendControlFilterCombo", DropDown, Tab1, 194, 331, 65, 21, ""},
    ControlSpec{"PercentFilterCombo", DropDown, Tab1, 194, 357, 65, 21, ""},
    ControlSpec{"LeaderCountField", TextField, Tab1, 487, 250, 95, 21, "", DigitsOnly},
    ControlSpec{"TrailerCountField", TextField, Tab1, 487, 277, 95, 21, "", DigitsOnly},
    ControlSpec{"BeforeProgramField", TextField, Tab1, 487, 304, 95, 21, ""},
    ControlSpec{"AfterProgramField", TextField, Tab1, 487, 331, 95, 21, ""},
    ControlSpec{"AfterEndCodeField", TextField, Tab1, 487, 358, 95, 21, ""},
    ControlSpec{"AfterLineField", TextField, Tab1, 487, 385, 95, 21, ""},
    ControlSpec{"XonCharField", TextField, Tab1, 107, 460, 53, 21, "", DigitsOnly},
    ControlSpec{"XoffCharField", TextField, Tab1, 107, 486, 53, 21, "", DigitsOnly},
    ControlSpec{"XonSendCombo", DropDown, Tab1, 250, 459, 52, 21, "", Disabled},
    ControlSpec{"XonWaitCombo", DropDown, Tab1, 250, 486, 52, 21, "", Disabled},
    ControlSpec{"DtrDsrCheck", CheckBox, Tab1, 321, 486, 73, 21, "DTR/DSR", CaptionRight},
    ControlSpec{"SaveSettingsButton", Button, Tab1, 474, 474, 139, 38, "Einstellungen speichern"},
    ControlSpec{"XonCharLabel", Label, Tab1, 34, 460, 69, 21, "XOn-Zeichen"},
    ControlSpec{"AfterLineLabel", Label, Tab1, 299, 386, 182, 21, "Stringausgabe nach Zeilenende"},
    ControlSpec{"AfterEndCodeLabel", Label, Tab1, 299, 359, 182, 21,
                "Stringausgabe nach (M02/M30)"},
    ControlSpec{"AfterProgramLabel", Label, Tab1, 299, 332, 182, 21,
                "Stringausgabe nach Programmende"},
    ControlSpec{"BeforeProgramLabel", Label, Tab1, 299, 304, 182, 21,
                "Stringausgabe vor Programmbeginn"},
    ControlSpec{"TrailerCountLabel", Label, Tab1, 299, 278, 182, 21,
                "Anzahl HEX(00) Zeichen als Nachlauf"},
    ControlSpec{"LeaderCountLabel", Label, Tab1, 299, 251, 182, 21,
                "Anzahl HEX(00) Zeichen als Vorlauf"},
    ControlSpec{"PercentFilterLabel", Label, Tab1, 31, 357, 154, 21, "[%] Zeichen ausfiltern"},
    ControlSpec{"SendControlFilterLabel", Label, Tab1, 31, 331, 154, 21,
                "St.Zeichen Hex(00-1F) ausfiltern"},
    ControlSpec{"SendBufferLabel", Label, Tab1, 31, 279, 154, 21, "Puffergrösse"},
    ControlSpec{"LineEndLabel", Label, Tab1, 31, 305, 154, 21, "Zeilenumbruch"},
    ControlSpec{"SendTimeoutLabel", Label, Tab1, 31, 253, 154, 21, "TimeOut"},
    ControlSpec{"ReceiveControlFilterLabel", Label, Tab1, 35, 162, 154, 21,
                "St.ZeichenHex (00-1F) ausfiltern"},
    ControlSpec{"EndCharLabel", Label, Tab1, 35, 189, 154, 21, "Einlesen Beenden mit Zeichen"},
    ControlSpec{"ReceiveBufferLabel", Label, Tab1, 35, 135, 154, 21, "Puffergrösse"},
    ControlSpec{"ReceiveTimeoutLabel", Label, Tab1, 35, 108, 154, 21, "TimeOut"},
    ControlSpec{"HandshakeLabel", Label, Tab1, 344, 176, 95, 21, "Handshake"},
    ControlSpec{"StopBitsLabel", Label, Tab1, 344, 149, 95, 21, "Stopbits"},
    ControlSpec{"ParityLabel", Label, Tab1, 344, 122, 95, 21, "Parität"},
    ControlSpec{"DataBitsLabel", Label, Tab1, 344, 95, 95, 21, "Datenbits"},
    ControlSpec{"BaudLabel", Label, Tab1, 344, 68, 95, 21, "Baudrate"},
    ControlSpec{"PortLabel", Label, Tab1, 344, 41, 95, 21, "COM-Nummer"},
    ControlSpec{"TransmissionFrame", GroupBox, Tab1, 324, 16, 289, 207, " Übertragung "},
    ControlSpec{"ReceiveFrame", GroupBox, Tab1, 17, 85, 288, 138, " Empfangen "},
    ControlSpec{"SendFrame", GroupBox, Tab1, 16, 228, 598, 200, " Senden "},
    ControlSpec{"XonXoffFrame", GroupBox, Tab1, 16, 437, 441, 86, " XON/XOFF "},
    ControlSpec{"MachineFrame", GroupBox, Tab1, 17, 16, 289, 62, " Maschine "},
    ControlSpec{"XoffCharLabel", Label, Tab1, 34, 487, 69, 21, "XOff-Zeichen"},
    ControlSpec{"XonSendLabel", Label, Tab1, 171, 460, 69, 21, "XOn senden"},
    ControlSpec{"XonWaitLabel", Label, Tab1, 171, 486, 69, 21, "XOn warten"},
    ControlSpec{"DtrDsrLabel", Label, Tab1, 321, 461, 97, 21, "DTR/DSR nutzen:", TopAligned},
    // Tab 2: the program
    ControlSpec{"ProgramEditor", Editor, Tab2, 24, 22, 583, 520, "", ReadOnly},
    // Below the panel
    ControlSpec{"StartButton", Button, Window, 35, 640, 149, 38, "Übertragung starten"},
    ControlSpec{"ComputerIcon", Image, Window, 215, 642, 32, 32, "", 0, Picture::Computer},
    ControlSpec{"MachineIcon", Image, Window, 586, 642, 32, 32, "", 0, Picture::Machine},
    ControlSpec{"TransferProgress", ProgressBar, Window, 257, 646, 318, 22, ""},
    ControlSpec{"BottomFrame", FlatFrame, Window, 15, 623, 638, 72, ""},
};

constexpr std::array<std::string_view, 3> tabTitles{"Senden/Empfangen", "COM1", "CNC-Programm"};

} // namespace

std::span<const ControlSpec> controlTable() {
    return controls;
}

std::span<const std::string_view> initialTabTitles() {
    return tabTitles;
}

} // namespace drovane
