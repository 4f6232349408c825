#include "profiles/profile_keys.h"
#include "shell/settings_controls.h"
#include "shell/settings_snapshot_reader.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <cerrno>
#include <string>

namespace drovane::testing {
namespace {

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

std::ptrdiff_t failingWrite(OpenFile& /*file*/, std::string_view /*bytes*/) {
    return -1;
}

class ProfileTest : public WindowTest {
protected:
    // The start-up's step that fills the settings tab, on a new window.
    void start(bool hasStartFile = false) {
        rebuild();
        session_->restoreSavedState(hasStartFile);
    }
    QComboBox& list(const char* name) { return *window().controlAs<QComboBox>(name); }
    QLineEdit& field(const char* name) { return *window().controlAs<QLineEdit>(name); }
    QCheckBox& dtrDsr() { return *window().controlAs<QCheckBox>("DtrDsrCheck"); }
    QComboBox& machines() { return list("MachineCombo"); }
    QString tabTitle() { return window().mainPanel()->tabText(SettingsTab); }
    // Selects an entry as an edit of the operator would.
    void select(const char* name, const char* entry) {
        const int index = list(name).findText(QString::fromUtf8(entry));
        ASSERT_GE(index, 0) << entry;
        list(name).setCurrentIndex(index);
    }
    void press(const char* control) { dispatch().dispatch(control, Trigger::Click); }
    // Moves the machine list one entry down as the operator would.
    void pickNextMachine() { QTest::keyClick(&machines(), Qt::Key_Down); }
    QStringList entries(const char* name) {
        QStringList texts;
        for (int i = 0; i < list(name).count(); ++i) {
            texts << list(name).itemText(i);
        }
        return texts;
    }
    QStringList informed() const {
        QStringList texts;
        for (const DialogCall& call : dialogs_.calls) {
            if (call.kind == QStringLiteral("inform")) {
                texts << call.title + QStringLiteral(" | ") + call.text;
            }
        }
        return texts;
    }
    std::string settingsBytes() const { return readBytes(state_.settingsPath); }
    void addMachineNamed(const QString& name) {
        dialogs_.textAnswers.emplace_back(name);
        press("AddMachineButton");
    }
};

// Every settings control shows the text of the profile table's default.
void expectDefaultsShown(MainWindow& window) {
    for (const ProfileKey& key : ProfileKeys) {
        QWidget* control = window.control(key.control);
        QString shown;
        if (auto* combo = qobject_cast<QComboBox*>(control)) {
            shown = combo->currentIndex() < 0 ? QString() : combo->currentText();
        } else if (auto* line = qobject_cast<QLineEdit*>(control)) {
            shown = line->text();
        } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
            shown = box->isChecked() ? QStringLiteral("Ja") : QStringLiteral("Nein");
        }
        EXPECT_EQ(shown, qStringFromWindows1252(key.defaultValue)) << key.control;
    }
}

TEST_F(ProfileTest, FirstStartShowsDefaultsAndWritesNothing) {
    start();
    expectDefaultsShown(window());
    EXPECT_EQ(machines().count(), 0);
    EXPECT_EQ(tabTitle(), "Fanuc10t");
    EXPECT_EQ(entries("StopBitsCombo"), QStringList({"1", "2", "1.5"}));
    // The serial ports this computer has follow the virtual machine.
    EXPECT_EQ(entries("PortCombo").mid(0, 4), QStringList({"COM1", "COM2", "COM3", "VIRTUELL"}));
    EXPECT_EQ(entries("SendBufferCombo"), QStringList({"4096"}));
    EXPECT_EQ(entries("BaudCombo").size(), 15);
    EXPECT_FALSE(QFileInfo::exists(state_.settingsPath));
}

TEST_F(ProfileTest, NewMachineGroupHasTheExactBytesOfAnAddedMachine) {
    start();
    addMachineNamed(QStringLiteral("Fanuc10t"));
    ASSERT_EQ(dialogs_.calls.size(), 1U);
    EXPECT_EQ(dialogs_.calls[0].title, "Maschine hinzufügen");
    EXPECT_EQ(dialogs_.calls[0].text, "Bitte geben Sie einen Namen für die Maschine ein :");
    // Only the group: adding remembers no machine.
    EXPECT_EQ(settingsBytes(), "[Fanuc10t]\r\n" + Separator + DefaultKeyLines + Separator);
    EXPECT_EQ(entries("MachineCombo"), QStringList({"Fanuc10t"}));
    EXPECT_EQ(machines().currentIndex(), 0);
}

TEST_F(ProfileTest, SavingWithoutSelectionSavesTheMachineOfTheTab) {
    start();
    select("BaudCombo", "9600");
    press("SaveSettingsButton");
    std::string expected = DefaultKeyLines;
    expected.replace(expected.find("4800"), 4, "9600");
    EXPECT_EQ(settingsBytes(), "[Fanuc10t]\r\n" + expected);
    EXPECT_EQ(entries("MachineCombo"), QStringList({"Fanuc10t"}));
    EXPECT_EQ(machines().currentIndex(), 0);

    start();
    EXPECT_EQ(machines().currentText(), "Fanuc10t");
    EXPECT_EQ(list("BaudCombo").currentText(), "9600");
    EXPECT_TRUE(informed().isEmpty());
}

TEST_F(ProfileTest, GroupLackingKeysLoadsDefaultsAndSaveAppendsThemAtItsEnd) {
    writeSettings("Maschine = M1\r\n[M1]\r\nBaudrate = 9600\r\n; hand-made\r\n"
                  "[M2]\r\nBaudrate = 300\r\n");
    start();
    EXPECT_EQ(list("BaudCombo").currentText(), "9600");
    EXPECT_EQ(field("ReceiveTimeoutField").text(), "300");
    EXPECT_EQ(list("XonSendCombo").currentText(), "Ja");
    EXPECT_EQ(tabTitle(), "M1");

    press("SaveSettingsButton");
    std::string rest = DefaultKeyLines.substr(DefaultKeyLines.find("COM-Nummer"));
    EXPECT_EQ(settingsBytes(), "Maschine = M1\r\n[M1]\r\nBaudrate = 9600\r\n; hand-made\r\n" +
                                   rest + "[M2]\r\nBaudrate = 300\r\n");
}

TEST_F(ProfileTest, UnknownPortAndBufferSizeGoFirstAndStay) {
    writeSettings("Maschine = A\r\n"
                  "[A]\r\nCOM-Nummer = ttyUSB0\r\nPuffergr\xF6sse_Senden = 8192\r\n"
                  "Puffergr\xF6sse_Empfangen = com2\r\n"
                  "[B]\r\nCOM-Nummer = COM2\r\n");
    start();
    EXPECT_EQ(entries("PortCombo").mid(0, 5),
              QStringList({"ttyUSB0", "COM1", "COM2", "COM3", "VIRTUELL"}));
    EXPECT_EQ(list("PortCombo").currentIndex(), 0);
    EXPECT_EQ(entries("SendBufferCombo"), QStringList({"8192", "4096"}));
    EXPECT_EQ(list("SendBufferCombo").currentIndex(), 0);
    EXPECT_EQ(entries("ReceiveBufferCombo"), QStringList({"com2", "4096"}));

    press("SaveSettingsButton");
    EXPECT_NE(settingsBytes().find("COM-Nummer = ttyUSB0\r\nPuffergr\xF6sse_Senden = 8192\r\n"),
              std::string::npos);

    pickNextMachine();
    EXPECT_EQ(machines().currentText(), "B");
    EXPECT_EQ(list("PortCombo").currentText(), "COM2");
    EXPECT_EQ(list("SendBufferCombo").currentText(), "4096");
    EXPECT_EQ(entries("PortCombo").mid(0, 5),
              QStringList({"ttyUSB0", "COM1", "COM2", "COM3", "VIRTUELL"}));
    EXPECT_EQ(entries("SendBufferCombo"), QStringList({"8192", "4096"}));
}

TEST_F(ProfileTest, ListsIgnoreLetterCaseButPortsAndDtrDsrDoNot) {
    writeSettings("Maschine = a\r\n[A]\r\n"
                  "Parit\xE4t = evenparity\r\nBaudrate = 9600  \r\nCOM-Nummer = com2\r\n"
                  "Protokoll = xon/xoff\r\nDTR/DSR = ja\r\nDatenbits = 9\r\nStopbits = \r\n");
    start();
    EXPECT_EQ(machines().currentText(), "A");
    EXPECT_EQ(list("ParityCombo").currentText(), "EVENPARITY");
    EXPECT_EQ(list("BaudCombo").currentText(), "9600");
    EXPECT_EQ(list("HandshakeCombo").currentText(), "XON/XOFF");
    EXPECT_EQ(list("PortCombo").itemText(0), "com2");
    EXPECT_FALSE(dtrDsr().isChecked());
    // Not in the list at start-up: no selection; stored empty: no selection.
    EXPECT_EQ(list("DataBitsCombo").currentIndex(), -1);
    EXPECT_EQ(list("StopBitsCombo").currentIndex(), -1);

    press("SaveSettingsButton");
    const std::string saved = settingsBytes();
    for (const char* line :
         {"Parit\xE4t = EVENPARITY\r\n", "Protokoll = XON/XOFF\r\n", "DTR/DSR = Nein\r\n",
          "Datenbits = \r\n", "Stopbits = \r\n", "COM-Nummer = com2\r\n", "Baudrate = 9600\r\n"}) {
        EXPECT_NE(saved.find(line), std::string::npos) << line;
    }
}

TEST_F(ProfileTest, UnknownValueKeepsTheSelectionOfThePreviousMachine) {
    writeSettings("Maschine = A\r\n[A]\r\nDatenbits = 7\r\nDTR/DSR = Ja\r\n"
                  "[B]\r\nDatenbits = 9\r\nDTR/DSR = JA\r\n");
    start();
    EXPECT_EQ(list("DataBitsCombo").currentText(), "7");
    EXPECT_TRUE(dtrDsr().isChecked());
    pickNextMachine();
    EXPECT_EQ(list("DataBitsCombo").currentText(), "7");
    EXPECT_FALSE(dtrDsr().isChecked());
}

TEST_F(ProfileTest, FilterKeysAreCrossedInFileAndSnapshot) {
    writeSettings("Maschine = A\r\n[A]\r\nSteuerzeichen_Senden = Ja\r\n"
                  "Prozent_Filtern_Senden = Nein\r\n");
    start();
    EXPECT_EQ(list("PercentFilterCombo").currentText(), "Ja");
    EXPECT_EQ(list("SendControlFilterCombo").currentText(), "Nein");
    SettingsSnapshot snapshot = readSettingsSnapshot(window());
    EXPECT_EQ(snapshot.percentFilterCombo, "Ja");
    EXPECT_EQ(snapshot.sendControlFilterCombo, "Nein");

    select("PercentFilterCombo", "Nein");
    select("SendControlFilterCombo", "Ja");
    press("SaveSettingsButton");
    const std::string saved = settingsBytes();
    EXPECT_NE(saved.find("Steuerzeichen_Senden = Nein\r\nProzent_Filtern_Senden = Ja\r\n"),
              std::string::npos);
}

const char* const TwoMachines = "Maschine = A\r\n"
                                "[A]\r\nBaudrate = 1200\r\n"
                                "[B]\r\nBaudrate = 2400\r\nDTR/DSR = Ja\r\n";

TEST_F(ProfileTest, ChoosingRemembersAndLoadsButSettingFromTheProgramDoesNot) {
    writeSettings(TwoMachines);
    start();
    EXPECT_EQ(list("BaudCombo").currentText(), "1200");
    machines().setCurrentIndex(1);
    EXPECT_EQ(settingsBytes(), TwoMachines);
    EXPECT_EQ(list("BaudCombo").currentText(), "1200");

    machines().setCurrentIndex(0);
    pickNextMachine();
    EXPECT_EQ(machines().currentText(), "B");
    EXPECT_EQ(tabTitle(), "B");
    EXPECT_EQ(list("BaudCombo").currentText(), "2400");
    EXPECT_TRUE(dtrDsr().isChecked());
    EXPECT_EQ(settingsBytes().substr(0, 14), "Maschine = B\r\n");

    start();
    EXPECT_EQ(machines().currentText(), "B");
    EXPECT_EQ(list("BaudCombo").currentText(), "2400");
}

TEST_F(ProfileTest, EveryLoadRereadsPathAndPattern) {
    writeSettings(TwoMachines);
    start(true);
    writeSettings(std::string("Path = /srv/nc/\r\nPattern = *.tap\r\n") + TwoMachines);
    pickNextMachine();
    EXPECT_EQ(state_.ncDirectory, "/srv/nc/");
    EXPECT_EQ(window().patternField()->text(), "*.tap");
}

TEST_F(ProfileTest, StartWithoutStartFileShowsTheStandardFolder) {
    QDir(folder()).mkpath(QStringLiteral("nc"));
    writeBytes(folder("nc/P1.tap"), "N1\n");
    writeSettings("Path = " + folder("nc/").toStdString() + "\r\nPattern = *.tap\r\n");
    start();
    EXPECT_EQ(window().directoryField()->text(), folder("nc/"));
    EXPECT_GT(window().fileList()->entryCount(), 0);

    start(true);
    EXPECT_EQ(state_.ncDirectory, folder("nc/"));
    EXPECT_EQ(window().patternField()->text(), "*.tap");
    EXPECT_EQ(window().directoryField()->text(), "");
}

TEST_F(ProfileTest, AddCopiesTheScreenAndLeavesTheRememberedMachine) {
    writeSettings(TwoMachines);
    start();
    select("BaudCombo", "19200");
    addMachineNamed(QStringLiteral("  Heidenhain 530\t"));
    EXPECT_EQ(entries("MachineCombo"), QStringList({"A", "B", "Heidenhain 530"}));
    EXPECT_EQ(machines().currentIndex(), 2);
    EXPECT_EQ(tabTitle(), "Heidenhain 530");
    std::string group = DefaultKeyLines;
    group.replace(group.find("4800"), 4, "19200");
    EXPECT_EQ(settingsBytes(),
              std::string(TwoMachines) + "[Heidenhain 530]\r\n" + Separator + group + Separator);

    start();
    EXPECT_EQ(machines().currentText(), "A");
    EXPECT_EQ(list("BaudCombo").currentText(), "1200");
    EXPECT_EQ(entries("MachineCombo"), QStringList({"A", "B", "Heidenhain 530"}));
}

TEST_F(ProfileTest, AddRefusesTakenAndUnstorableNamesAndIgnoresNoAnswer) {
    writeSettings(TwoMachines);
    start();
    dialogs_.textAnswers = {QStringLiteral("b"),
                            QStringLiteral("a]b"),
                            QStringLiteral("   "),
                            QStringLiteral("x\ty"),
                            QStringLiteral("Ω"),
                            std::nullopt,
                            QString()};
    for (int i = 0; i < 7; ++i) {
        press("AddMachineButton");
    }
    const QString invalid = QStringLiteral(
        "Maschine hinzufügen | Dieser Name kann nicht gespeichert werden. Ein Maschinenname "
        "darf kein \"]\" und keine Steuerzeichen enthalten und nicht nur aus Leerzeichen "
        "bestehen.");
    EXPECT_EQ(informed(), QStringList({"Maschine hinzufügen | Diese Maschine ist bereits "
                                       "vorhanden. Bitte wählen Sie einen anderen Namen aus !",
                                       invalid, invalid, invalid, invalid}));
    EXPECT_EQ(settingsBytes(), TwoMachines);
    EXPECT_EQ(entries("MachineCombo"), QStringList({"A", "B"}));
    EXPECT_EQ(machines().currentIndex(), 0);
}

TEST_F(ProfileTest, DeleteAsksThenRemovesTheGroupWithItsSeparators) {
    writeSettings(TwoMachines);
    start();
    addMachineNamed(QStringLiteral("C"));
    const std::string withC = settingsBytes();

    dialogs_.yesNoAnswers = {false};
    press("DeleteMachineButton");
    EXPECT_EQ(settingsBytes(), withC);
    EXPECT_EQ(entries("MachineCombo"), QStringList({"A", "B", "C"}));

    dialogs_.yesNoAnswers = {true};
    press("DeleteMachineButton");
    EXPECT_EQ(dialogs_.calls.back().title, "Maschine löschen");
    EXPECT_EQ(dialogs_.calls.back().text, "Möchten Sie die Maschine wirklich entfernen ?");
    EXPECT_EQ(settingsBytes(), TwoMachines);
    EXPECT_EQ(entries("MachineCombo"), QStringList({"A", "B"}));
    EXPECT_EQ(machines().currentIndex(), 0);

    dialogs_.yesNoAnswers = {true};
    press("DeleteMachineButton");
    EXPECT_EQ(settingsBytes(), "Maschine = B\r\n[B]\r\nBaudrate = 2400\r\nDTR/DSR = Ja\r\n");
    EXPECT_EQ(machines().currentText(), "B");
    EXPECT_EQ(tabTitle(), "B");
    EXPECT_EQ(list("BaudCombo").currentText(), "2400");

    press("DeleteMachineButton");
    EXPECT_EQ(informed().back(), "Maschine löschen | Sie können die letzte Maschine nicht "
                                 "entfernen. Es muss immer eine Maschine vorhanden sein.");
    start();
    EXPECT_EQ(entries("MachineCombo"), QStringList({"B"}));
    EXPECT_EQ(list("BaudCombo").currentText(), "2400");
}

TEST_F(ProfileTest, DeleteWithoutListOrSelectionIsRefusedWithoutQuestion) {
    start();
    press("DeleteMachineButton");
    writeSettings("Maschine = Z\r\n[A]\r\n[B]\r\n");
    start();
    EXPECT_EQ(machines().currentIndex(), -1);
    press("DeleteMachineButton");
    const QString refusal = QStringLiteral(
        "Maschine löschen | Es ist keine Maschine ausgewählt, die entfernt werden könnte.");
    EXPECT_EQ(informed(), QStringList({refusal, refusal}));
    EXPECT_EQ(dialogs_.calls.size(), 2U);
    EXPECT_EQ(settingsBytes(), "Maschine = Z\r\n[A]\r\n[B]\r\n");
}

TEST_F(ProfileTest, SettingsFileBelowARegularFileTellsTheOperator) {
    writeBytes(folder("plain"), "x");
    state_.settingsPath = folder("plain/drovane.ini");
    start();
    press("SaveSettingsButton");
    addMachineNamed(QStringLiteral("New"));
    const QString reason = QStringLiteral("Die Einstellungen konnten nicht gespeichert werden:\n") +
                           state_.settingsPath;
    EXPECT_EQ(informed(), QStringList({"Einstellungen speichern | " + reason,
                                       "Maschine hinzufügen | " + reason}));
    // The save selected the tab's machine; the failed add left no entry behind.
    EXPECT_EQ(entries("MachineCombo"), QStringList({"Fanuc10t"}));
    EXPECT_EQ(machines().currentIndex(), 0);
    EXPECT_EQ(tabTitle(), "Fanuc10t");
}

TEST_F(ProfileTest, FailedWritesKeepFileAndListAndLoadWhatIsShown) {
    writeSettings(TwoMachines);
    start();
    dispatch().profiles().setWriteCall(failingWrite);
    pickNextMachine();
    // The choice is not remembered, but B's settings are the ones on screen.
    EXPECT_EQ(machines().currentText(), "B");
    EXPECT_EQ(list("BaudCombo").currentText(), "2400");

    dialogs_.yesNoAnswers = {true};
    press("DeleteMachineButton");
    EXPECT_EQ(entries("MachineCombo"), QStringList({"A", "B"}));
    EXPECT_EQ(machines().currentText(), "B");
    EXPECT_EQ(settingsBytes(), TwoMachines);
    ASSERT_EQ(informed().size(), 2);
    EXPECT_TRUE(informed()[0].startsWith("Maschine wählen | Die Einstellungen"));
    EXPECT_TRUE(informed()[1].startsWith("Maschine löschen | Die Einstellungen"));
}

TEST_F(ProfileTest, SnapshotHoldsTheTextsOnScreen) {
    writeSettings("Maschine = A\r\n[A]\r\nCOM-Nummer = ttyUSB1\r\nBaudrate = 9600\r\n"
                  "Stringausgabe_Beginn = %\xE4\r\nDTR/DSR = Ja\r\nStopbits = 1.5\r\n");
    start();
    window().fileNameField()->setText(QStringLiteral("O1000.nc"));
    list("ParityCombo").setCurrentIndex(-1);
    const SettingsSnapshot snapshot = readSettingsSnapshot(window());
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
} // namespace drovane::testing
