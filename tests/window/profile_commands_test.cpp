// The machine profiles: what start-up, choosing, adding, deleting and saving
// do to the settings file and to the controls of the settings tab.

#include "core/atomic_file.h"
#include "core/text.h"
#include "profiles/profile_keys.h"
#include "window/settings_controls.h"
#include "window/settings_snapshot_reader.h"
#include "window/tabs.h"
#include "window_logic_fixture.h"

#include <algorithm>

namespace drovane::testing {
namespace {

using Lines = std::vector<std::string>;

const std::string Separator = "; ----------------------------------------------\r\n";

// A new machine's group as the program writes it, every value its default.
const std::string DefaultKeyLines = "Baudrate = 4800\r\n"
                                    "COM-Nummer = COM1\r\n"
                                    "Datenbits = 8\r\n"
                                    "Parit\xE4t = NOPARITY\r\n"
                                    "Stopbits = 1\r\n"
                                    "Protokoll = NOHANDSHAKE\r\n"
                                    "TimeOut_Empfangen = 300\r\n"
                                    "Puffergr\xF6sse_Empfangen = 4096\r\n"
                                    "Steuerzeichen_Empfangen = Nein\r\n"
                                    "EinlesenBeenden_Empfangen = 04\r\n"
                                    "TimeOut_Senden = 300\r\n"
                                    "Zeilenumbruch_Senden = LF\r\n"
                                    "Puffergr\xF6sse_Senden = 4096\r\n"
                                    "Steuerzeichen_Senden = Nein\r\n"
                                    "Prozent_Filtern_Senden = Nein\r\n"
                                    "Anzahl_Hexzeichen_Vorlauf = 0\r\n"
                                    "Anzahl_Hexzeichen_Nachlauf = 0\r\n"
                                    "Stringausgabe_Beginn = \r\n"
                                    "Stringausgabe_Ende = \r\n"
                                    "Stringausgabe_(M02/M30) = \r\n"
                                    "Stringausgabe_nach_Zeilenende = \r\n"
                                    "XON = 17\r\n"
                                    "XOFF = 19\r\n"
                                    "XON_Senden = Ja\r\n"
                                    "XON_Warten = Ja\r\n"
                                    "DTR/DSR = Nein\r\n";

const char* const TwoMachines = "Maschine = A\r\n"
                                "[A]\r\nBaudrate = 1200\r\n"
                                "[B]\r\nBaudrate = 2400\r\nDTR/DSR = Ja\r\n";

std::ptrdiff_t failingWrite(OpenFile& /*file*/, std::string_view /*bytes*/) {
    return -1;
}

class ProfileCommandsTest : public WindowLogicTest {
protected:
    // The start-up's step that fills the settings tab, on a new window.
    void start(bool hasStartFile = false) {
        view_.reset();
        dispatch_.profiles().initSettingsControls(hasStartFile);
    }
    std::string shown(const char* control) const { return view_.text(control); }
    Lines entries(const char* list) const { return view_.items(list); }
    Lines firstEntries(const char* list, std::size_t count) const {
        Lines all = entries(list);
        all.resize(std::min(all.size(), count));
        return all;
    }
    int machineIndex() const { return view_.selectedItem("MachineCombo"); }
    std::string tabTitle() const { return view_.tabTitle(SettingsTab); }
    // Moves the machine list one entry down as the operator would.
    void pickNextMachine() {
        view_.selectItem("MachineCombo", machineIndex() + 1);
        fire("MachineCombo", Trigger::Picked);
    }
    std::string settingsBytes() const { return contentOf("drovane.ini"); }
    void writeSettings(std::string_view bytes) const { put("drovane.ini", bytes); }
    void addMachineNamed(const std::string& name) {
        dialogs_.textAnswers.emplace_back(name);
        press("AddMachineButton");
    }
};

TEST_F(ProfileCommandsTest, FirstStartShowsDefaultsAndWritesNothing) {
    start();
    for (const ProfileKey& key : ProfileKeys) {
        const std::string text = key.control == "DtrDsrCheck"
                                     ? (view_.checked(key.control) ? "Ja" : "Nein")
                                     : view_.text(key.control);
        EXPECT_EQ(text, key.defaultValue) << key.control;
    }
    EXPECT_TRUE(entries("MachineCombo").empty());
    EXPECT_EQ(tabTitle(), "Fanuc10t");
    EXPECT_EQ(entries("StopBitsCombo"), (Lines{"1", "2", "1.5"}));
    // The serial ports this computer has follow; the machine inside the
    // program only when a profile names it.
    EXPECT_EQ(firstEntries("PortCombo", 3), (Lines{"COM1", "COM2", "COM3"}));
    const Lines ports = entries("PortCombo");
    EXPECT_EQ(std::count(ports.begin(), ports.end(), "VIRTUELL"), 0);
    EXPECT_EQ(entries("SendBufferCombo"), Lines{"4096"});
    EXPECT_EQ(entries("BaudCombo").size(), 15U);
    EXPECT_FALSE(exists("drovane.ini"));
}

TEST_F(ProfileCommandsTest, NewMachineGroupHasTheExactBytesOfAnAddedMachine) {
    start();
    addMachineNamed("Fanuc10t");
    ASSERT_EQ(dialogs_.calls.size(), 1U);
    EXPECT_EQ(dialogs_.calls[0].title, "Maschine hinzufügen");
    EXPECT_EQ(dialogs_.calls[0].text, "Bitte geben Sie einen Namen für die Maschine ein :");
    // Only the group: adding remembers no machine.
    EXPECT_EQ(settingsBytes(), "[Fanuc10t]\r\n" + Separator + DefaultKeyLines + Separator);
    EXPECT_EQ(entries("MachineCombo"), Lines{"Fanuc10t"});
    EXPECT_EQ(machineIndex(), 0);
}

TEST_F(ProfileCommandsTest, SavingWithoutSelectionSavesTheMachineOfTheTab) {
    start();
    view_.pick("BaudCombo", "9600");
    press("SaveSettingsButton");
    std::string expected = DefaultKeyLines;
    expected.replace(expected.find("4800"), 4, "9600");
    EXPECT_EQ(settingsBytes(), "[Fanuc10t]\r\n" + expected);
    EXPECT_EQ(entries("MachineCombo"), Lines{"Fanuc10t"});
    EXPECT_EQ(machineIndex(), 0);

    start();
    EXPECT_EQ(shown("MachineCombo"), "Fanuc10t");
    EXPECT_EQ(shown("BaudCombo"), "9600");
    EXPECT_TRUE(dialogs_.informed().empty());
}

TEST_F(ProfileCommandsTest, GroupLackingKeysLoadsDefaultsAndSaveAppendsThemAtItsEnd) {
    writeSettings("Maschine = M1\r\n[M1]\r\nBaudrate = 9600\r\n; hand-made\r\n"
                  "[M2]\r\nBaudrate = 300\r\n");
    start();
    EXPECT_EQ(shown("BaudCombo"), "9600");
    EXPECT_EQ(shown("ReceiveTimeoutField"), "300");
    EXPECT_EQ(shown("XonSendCombo"), "Ja");
    EXPECT_EQ(tabTitle(), "M1");

    press("SaveSettingsButton");
    const std::string rest = DefaultKeyLines.substr(DefaultKeyLines.find("COM-Nummer"));
    EXPECT_EQ(settingsBytes(), "Maschine = M1\r\n[M1]\r\nBaudrate = 9600\r\n; hand-made\r\n" +
                                   rest + "[M2]\r\nBaudrate = 300\r\n");
}

TEST_F(ProfileCommandsTest, UnknownPortAndBufferSizeGoFirstAndStay) {
    writeSettings("Maschine = A\r\n"
                  "[A]\r\nCOM-Nummer = ttyUSB0\r\nPuffergr\xF6sse_Senden = 8192\r\n"
                  "Puffergr\xF6sse_Empfangen = com2\r\n"
                  "[B]\r\nCOM-Nummer = COM2\r\n");
    start();
    const Lines firstPorts{"ttyUSB0", "COM1", "COM2", "COM3"};
    EXPECT_EQ(firstEntries("PortCombo", 4), firstPorts);
    EXPECT_EQ(view_.selectedItem("PortCombo"), 0);
    EXPECT_EQ(entries("SendBufferCombo"), (Lines{"8192", "4096"}));
    EXPECT_EQ(view_.selectedItem("SendBufferCombo"), 0);
    EXPECT_EQ(entries("ReceiveBufferCombo"), (Lines{"com2", "4096"}));

    press("SaveSettingsButton");
    EXPECT_NE(settingsBytes().find("COM-Nummer = ttyUSB0\r\nPuffergr\xF6sse_Senden = 8192\r\n"),
              std::string::npos);

    pickNextMachine();
    EXPECT_EQ(shown("MachineCombo"), "B");
    EXPECT_EQ(shown("PortCombo"), "COM2");
    EXPECT_EQ(shown("SendBufferCombo"), "4096");
    EXPECT_EQ(firstEntries("PortCombo", 4), firstPorts);
    EXPECT_EQ(entries("SendBufferCombo"), (Lines{"8192", "4096"}));
}

TEST_F(ProfileCommandsTest, ListsIgnoreLetterCaseButPortsAndDtrDsrDoNot) {
    writeSettings("Maschine = a\r\n[A]\r\n"
                  "Parit\xE4t = evenparity\r\nBaudrate = 9600  \r\nCOM-Nummer = com2\r\n"
                  "Protokoll = xon/xoff\r\nDTR/DSR = ja\r\nDatenbits = 9\r\nStopbits = \r\n");
    start();
    EXPECT_EQ(shown("MachineCombo"), "A");
    EXPECT_EQ(shown("ParityCombo"), "EVENPARITY");
    EXPECT_EQ(shown("BaudCombo"), "9600");
    EXPECT_EQ(shown("HandshakeCombo"), "XON/XOFF");
    EXPECT_EQ(entries("PortCombo").front(), "com2");
    EXPECT_FALSE(view_.checked("DtrDsrCheck"));
    // Not in the list at start-up: no selection; stored empty: no selection.
    EXPECT_EQ(view_.selectedItem("DataBitsCombo"), -1);
    EXPECT_EQ(view_.selectedItem("StopBitsCombo"), -1);

    press("SaveSettingsButton");
    const std::string saved = settingsBytes();
    for (const char* line :
         {"Parit\xE4t = EVENPARITY\r\n", "Protokoll = XON/XOFF\r\n", "DTR/DSR = Nein\r\n",
          "Datenbits = \r\n", "Stopbits = \r\n", "COM-Nummer = com2\r\n", "Baudrate = 9600\r\n"}) {
        EXPECT_NE(saved.find(line), std::string::npos) << line;
    }
}

TEST_F(ProfileCommandsTest, UnknownValueKeepsTheSelectionOfThePreviousMachine) {
    writeSettings("Maschine = A\r\n[A]\r\nDatenbits = 7\r\nDTR/DSR = Ja\r\n"
                  "[B]\r\nDatenbits = 9\r\nDTR/DSR = JA\r\n");
    start();
    EXPECT_EQ(shown("DataBitsCombo"), "7");
    EXPECT_TRUE(view_.checked("DtrDsrCheck"));
    pickNextMachine();
    EXPECT_EQ(shown("DataBitsCombo"), "7");
    EXPECT_FALSE(view_.checked("DtrDsrCheck"));
}

TEST_F(ProfileCommandsTest, FilterKeysAreCrossedInFileAndSnapshot) {
    writeSettings("Maschine = A\r\n[A]\r\nSteuerzeichen_Senden = Ja\r\n"
                  "Prozent_Filtern_Senden = Nein\r\n");
    start();
    EXPECT_EQ(shown("PercentFilterCombo"), "Ja");
    EXPECT_EQ(shown("SendControlFilterCombo"), "Nein");
    const SettingsSnapshot snapshot = readSettingsSnapshot(view_);
    EXPECT_EQ(snapshot.percentFilterCombo, "Ja");
    EXPECT_EQ(snapshot.sendControlFilterCombo, "Nein");

    view_.pick("PercentFilterCombo", "Nein");
    view_.pick("SendControlFilterCombo", "Ja");
    press("SaveSettingsButton");
    EXPECT_NE(
        settingsBytes().find("Steuerzeichen_Senden = Nein\r\nProzent_Filtern_Senden = Ja\r\n"),
        std::string::npos);
}

TEST_F(ProfileCommandsTest, ChoosingRemembersAndLoadsTheChosenMachine) {
    writeSettings(TwoMachines);
    start();
    EXPECT_EQ(shown("BaudCombo"), "1200");
    pickNextMachine();
    EXPECT_EQ(shown("MachineCombo"), "B");
    EXPECT_EQ(tabTitle(), "B");
    EXPECT_EQ(shown("BaudCombo"), "2400");
    EXPECT_TRUE(view_.checked("DtrDsrCheck"));
    EXPECT_EQ(settingsBytes().substr(0, 14), "Maschine = B\r\n");

    start();
    EXPECT_EQ(shown("MachineCombo"), "B");
    EXPECT_EQ(shown("BaudCombo"), "2400");
}

TEST_F(ProfileCommandsTest, EveryLoadRereadsPathAndPattern) {
    writeSettings(TwoMachines);
    start(true);
    writeSettings(std::string("Path = /srv/nc/\r\nPattern = *.tap\r\n") + TwoMachines);
    pickNextMachine();
    EXPECT_EQ(state_.ncDirectory, "/srv/nc/");
    EXPECT_EQ(shown("PatternField"), "*.tap");
}

TEST_F(ProfileCommandsTest, StartWithoutStartFileShowsTheStandardFolder) {
    makeFolder("nc");
    const std::string nc = folder("nc") + folder().back();
    put(std::string("nc") + folder().back() + "P1.tap", "N1\n");
    writeSettings("Path = " + windows1252FromUtf8(nc) + "\r\nPattern = *.tap\r\n");
    start();
    EXPECT_EQ(shown("DirectoryField"), nc);
    EXPECT_EQ(files_.currentDirectory(), nc);
    EXPECT_EQ(files_.files(), Lines{"P1.tap"});

    files_.pointAt(folder());
    start(true);
    EXPECT_EQ(state_.ncDirectory, nc);
    EXPECT_EQ(shown("PatternField"), "*.tap");
    EXPECT_EQ(shown("DirectoryField"), "");
    EXPECT_EQ(files_.currentDirectory(), folder()) << "the start file's folder stays";
}

TEST_F(ProfileCommandsTest, AddCopiesTheScreenAndLeavesTheRememberedMachine) {
    writeSettings(TwoMachines);
    start();
    view_.pick("BaudCombo", "19200");
    addMachineNamed("  Heidenhain 530\t");
    EXPECT_EQ(entries("MachineCombo"), (Lines{"A", "B", "Heidenhain 530"}));
    EXPECT_EQ(machineIndex(), 2);
    EXPECT_EQ(tabTitle(), "Heidenhain 530");
    std::string group = DefaultKeyLines;
    group.replace(group.find("4800"), 4, "19200");
    EXPECT_EQ(settingsBytes(),
              std::string(TwoMachines) + "[Heidenhain 530]\r\n" + Separator + group + Separator);

    start();
    EXPECT_EQ(shown("MachineCombo"), "A");
    EXPECT_EQ(shown("BaudCombo"), "1200");
    EXPECT_EQ(entries("MachineCombo"), (Lines{"A", "B", "Heidenhain 530"}));
}

TEST_F(ProfileCommandsTest, AddRefusesTakenAndUnstorableNamesAndIgnoresNoAnswer) {
    writeSettings(TwoMachines);
    start();
    dialogs_.textAnswers = {"b", "a]b", "   ", "x\ty", "Ω", std::nullopt, ""};
    for (int i = 0; i < 7; ++i) {
        press("AddMachineButton");
    }
    const std::string invalid =
        "Maschine hinzufügen | Dieser Name kann nicht gespeichert werden. Ein Maschinenname "
        "darf kein \"]\" und keine Steuerzeichen enthalten und nicht nur aus Leerzeichen "
        "bestehen.";
    const std::string taken = "Maschine hinzufügen | Diese Maschine ist bereits vorhanden. Bitte "
                              "wählen Sie einen anderen Namen aus !";
    EXPECT_EQ(dialogs_.informed(), (Lines{taken, invalid, invalid, invalid, invalid}));
    EXPECT_EQ(settingsBytes(), TwoMachines);
    EXPECT_EQ(entries("MachineCombo"), (Lines{"A", "B"}));
    EXPECT_EQ(machineIndex(), 0);
}

TEST_F(ProfileCommandsTest, DeleteAsksThenRemovesTheGroupWithItsSeparators) {
    writeSettings(TwoMachines);
    start();
    addMachineNamed("C");
    const std::string withC = settingsBytes();

    dialogs_.yesNoAnswers = {false};
    press("DeleteMachineButton");
    EXPECT_EQ(settingsBytes(), withC);
    EXPECT_EQ(entries("MachineCombo"), (Lines{"A", "B", "C"}));

    dialogs_.yesNoAnswers = {true};
    press("DeleteMachineButton");
    EXPECT_EQ(dialogs_.calls.back().title, "Maschine löschen");
    EXPECT_EQ(dialogs_.calls.back().text, "Möchten Sie die Maschine wirklich entfernen ?");
    EXPECT_EQ(settingsBytes(), TwoMachines);
    EXPECT_EQ(entries("MachineCombo"), (Lines{"A", "B"}));
    EXPECT_EQ(machineIndex(), 0);

    dialogs_.yesNoAnswers = {true};
    press("DeleteMachineButton");
    EXPECT_EQ(settingsBytes(), "Maschine = B\r\n[B]\r\nBaudrate = 2400\r\nDTR/DSR = Ja\r\n");
    EXPECT_EQ(shown("MachineCombo"), "B");
    EXPECT_EQ(tabTitle(), "B");
    EXPECT_EQ(shown("BaudCombo"), "2400");

    press("DeleteMachineButton");
    EXPECT_EQ(dialogs_.informed().back(), "Maschine löschen | Sie können die letzte Maschine nicht "
                                          "entfernen. Es muss immer eine Maschine vorhanden sein.");
    start();
    EXPECT_EQ(entries("MachineCombo"), Lines{"B"});
    EXPECT_EQ(shown("BaudCombo"), "2400");
}

TEST_F(ProfileCommandsTest, DeleteWithoutListOrSelectionIsRefusedWithoutQuestion) {
    start();
    press("DeleteMachineButton");
    writeSettings("Maschine = Z\r\n[A]\r\n[B]\r\n");
    start();
    EXPECT_EQ(machineIndex(), -1);
    press("DeleteMachineButton");
    const std::string refusal =
        "Maschine löschen | Es ist keine Maschine ausgewählt, die entfernt werden könnte.";
    EXPECT_EQ(dialogs_.informed(), (Lines{refusal, refusal}));
    EXPECT_EQ(dialogs_.calls.size(), 2U);
    EXPECT_EQ(settingsBytes(), "Maschine = Z\r\n[A]\r\n[B]\r\n");
}

TEST_F(ProfileCommandsTest, SettingsFileBelowARegularFileTellsTheOperator) {
    put("plain", "x");
    state_.settingsPath = folder("plain") + folder().back() + "drovane.ini";
    start();
    press("SaveSettingsButton");
    addMachineNamed("New");
    const std::string reason =
        "Die Einstellungen konnten nicht gespeichert werden:\n" + state_.settingsPath;
    EXPECT_EQ(dialogs_.informed(),
              (Lines{"Einstellungen speichern | " + reason, "Maschine hinzufügen | " + reason}));
    // The save selected the tab's machine; the failed add left no entry behind.
    EXPECT_EQ(entries("MachineCombo"), Lines{"Fanuc10t"});
    EXPECT_EQ(machineIndex(), 0);
    EXPECT_EQ(tabTitle(), "Fanuc10t");
}

TEST_F(ProfileCommandsTest, FailedWritesKeepFileAndListAndLoadWhatIsShown) {
    writeSettings(TwoMachines);
    start();
    dispatch_.profiles().setWriteCall(failingWrite);
    pickNextMachine();
    // The choice is not remembered, but B's settings are the ones on screen.
    EXPECT_EQ(shown("MachineCombo"), "B");
    EXPECT_EQ(shown("BaudCombo"), "2400");

    dialogs_.yesNoAnswers = {true};
    press("DeleteMachineButton");
    EXPECT_EQ(entries("MachineCombo"), (Lines{"A", "B"}));
    EXPECT_EQ(shown("MachineCombo"), "B");
    EXPECT_EQ(settingsBytes(), TwoMachines);
    const Lines told = dialogs_.informed();
    ASSERT_EQ(told.size(), 2U);
    EXPECT_TRUE(told[0].starts_with("Maschine wählen | Die Einstellungen"));
    EXPECT_TRUE(told[1].starts_with("Maschine löschen | Die Einstellungen"));
}

TEST_F(ProfileCommandsTest, SnapshotHoldsTheTextsOnScreen) {
    writeSettings("Maschine = A\r\n[A]\r\nCOM-Nummer = ttyUSB1\r\nBaudrate = 9600\r\n"
                  "Stringausgabe_Beginn = %\xE4\r\nDTR/DSR = Ja\r\nStopbits = 1.5\r\n");
    start();
    view_.setText("FileNameField", "O1000.nc");
    view_.selectItem("ParityCombo", -1);
    const SettingsSnapshot snapshot = readSettingsSnapshot(view_);
    EXPECT_EQ(snapshot.portCombo, "ttyUSB1");
    EXPECT_EQ(snapshot.baudCombo, "9600");
    EXPECT_EQ(snapshot.stopBitsCombo, "1.5");
    EXPECT_EQ(snapshot.parityCombo, "");
    EXPECT_EQ(snapshot.beforeProgramField, "%\xE4");
    EXPECT_EQ(snapshot.fileNameField, "O1000.nc");
    EXPECT_EQ(snapshot.endCharField, "04");
    EXPECT_EQ(snapshot.xonCharField, "17");
    EXPECT_EQ(snapshot.receiveBufferCombo, "4096");
    EXPECT_TRUE(snapshot.dtrDsrCheck);
}

} // namespace

// The system's COM1 was listed a second time after the fixed one.
TEST(PortListEntries, TheSystemsPortsFollowTheFixedNamesEachOnce) {
    const Lines present{"com1", "COM7", "ttyUSB0", "COM7", "COM3"};
    EXPECT_EQ(portListEntries({"COM1", "COM2", "COM3"}, present),
              (Lines{"COM1", "COM2", "COM3", "COM7", "ttyUSB0"}));
    EXPECT_EQ(portListEntries({"COM1"}, {}), Lines{"COM1"});
}

} // namespace drovane::testing
