#include "shell/startup.h"
#include "window_fixture.h"

#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <algorithm>
#include <filesystem>
#include <sys/stat.h>

namespace drovane::testing {
namespace {

class ProgramTest : public WindowTest {
protected:
    ProgramTest() {
        QDir(folder()).mkpath(QStringLiteral("nc"));
        nc_ = folder(QStringLiteral("nc/"));
        window().fileList()->pointAt(nc_ + QStringLiteral("*.*"));
        window().directoryField()->setText(nc_);
    }

    void loadFile(const QString& name, std::string_view bytes) {
        writeBytes(nc_ + name, bytes);
        selectInList(nc_, name);
        programs().loadProgram();
        window().programView().finish();
    }
    QString editorText() {
        return window().controlAs<QPlainTextEdit>("ProgramEditor")->toPlainText();
    }
    QString statusText() { return window().controlAs<QPlainTextEdit>("StatusLine")->toPlainText(); }
    QString tabTitle() { return window().mainPanel()->tabText(ProgramTab); }
    void saveAs(const QString& name) {
        window().switchMode(Mode::Receive);
        window().fileNameField()->setText(name);
        QTest::mouseClick(window().fileButton(), Qt::LeftButton);
    }

    QString nc_;
};

TEST_F(ProgramTest, LoadKeepsEveryByteUpToTheFirstNul) {
    window().appendStatus(QStringLiteral("alt"));
    std::string bytes = "%\r\nO1 (\x80\xE4\xFF)\nN2 M30\r\n";
    loadFile(QStringLiteral("A.nc"), bytes);
    EXPECT_EQ(state_.programText, bytes);
    EXPECT_EQ(window().fileNameField()->text(), "A.nc");
    EXPECT_EQ(tabTitle(), "A.nc");
    EXPECT_EQ(statusText(), "CNC-Programm geladen.");
    EXPECT_EQ(editorText(), QString::fromUtf8("%\nO1 (€äÿ)\nN2 M30\n"));

    loadFile(QStringLiteral("B.nc"), std::string("N1\r\n\0N2 rest", 12));
    EXPECT_EQ(state_.programText, "N1\r\n");
    EXPECT_EQ(readBytes(nc_ + "B.nc").size(), 12U) << "the file is not touched";
    // The operator learns that the program was cut, and where.
    EXPECT_EQ(statusText(), QString::fromUtf8("CNC-Programm geladen.\n"
                                              "Achtung! Die Datei enthält an Byte 5 ein "
                                              "HEX(00)-Zeichen; das Programm endet davor."));
}

TEST_F(ProgramTest, EmptyFileGivesAnEmptyProgram) {
    loadFile(QStringLiteral("A.nc"), "old text\n");
    loadFile(QStringLiteral("Z.nc"), "");
    EXPECT_EQ(state_.programText, "");
    EXPECT_EQ(editorText(), "");
    EXPECT_EQ(tabTitle(), "Z.nc");
}

TEST_F(ProgramTest, NothingLoadsWithoutAFileEntry) {
    QDir(folder()).mkpath(QStringLiteral("nc/sub"));
    loadFile(QStringLiteral("A.nc"), "keep\n");
    selectInList(nc_, QStringLiteral("sub"));
    programs().loadProgram();
    selectInList(nc_, QStringLiteral(".."));
    programs().loadProgram();
    EXPECT_EQ(state_.programText, "keep\n");
    EXPECT_EQ(window().fileNameField()->text(), "A.nc");
}

TEST_F(ProgramTest, UnreadableFileIsReportedAndChangesNothing) {
    loadFile(QStringLiteral("A.nc"), "keep\n");
    writeBytes(nc_ + "gone.nc", "x");
    selectInList(nc_, QStringLiteral("gone.nc"));
    QFile::remove(nc_ + "gone.nc"); // vanished between listing and loading
    programs().loadProgram();
    ASSERT_EQ(dialogs_.calls.size(), 1U);
    EXPECT_EQ(dialogs_.calls[0].kind, "inform");
    EXPECT_TRUE(dialogs_.calls[0].text.contains("gone.nc"));
    EXPECT_EQ(state_.programText, "keep\n");
    EXPECT_EQ(editorText(), "keep\n");
    EXPECT_EQ(window().fileNameField()->text(), "A.nc");
    EXPECT_EQ(tabTitle(), "A.nc");
}

TEST_F(ProgramTest, SaveRoundTripKeepsLineEndsAndHighBytes) {
    for (const std::string bytes : {"N1\r\nN2\r\n", "N1\nN2\n", "(\x80\x9F\xA0\xFF)\n"}) {
        loadFile(QStringLiteral("src.nc"), bytes);
        saveAs(QStringLiteral("copy"));
        EXPECT_EQ(readBytes(nc_ + "copy.nc"), bytes);
        dialogs_.yesNoAnswers.push_back(true); // the next round replaces copy.nc
    }
    dialogs_.yesNoAnswers.clear();
    EXPECT_TRUE(statusText().endsWith("Programm unter " + nc_ + "copy.nc gespeichert."));
    EXPECT_EQ(tabTitle(), "copy.nc");
}

TEST_F(ProgramTest, TargetTakesThePatternsExtensionAndListShowsNcAfterwards) {
    loadFile(QStringLiteral("src.nc"), "N1\n");
    window().patternField()->setText(QStringLiteral("*.tap"));
    saveAs(QStringLiteral("P1"));
    EXPECT_EQ(readBytes(nc_ + "P1.tap"), "N1\n");
    saveAs(QStringLiteral("P2."));
    EXPECT_EQ(readBytes(nc_ + "P2..tap"), "N1\n");
    saveAs(QStringLiteral("P3.txt"));
    EXPECT_EQ(readBytes(nc_ + "P3.txt"), "N1\n");
    EXPECT_EQ(window().fileList()->pattern(), "*.nc");
    EXPECT_EQ(window().patternField()->text(), "*.tap");
}

TEST_F(ProgramTest, InvalidNamesAreRefusedWithTheMessage) {
    loadFile(QStringLiteral("src.nc"), "N1\n");
    window().patternField()->setText(QStringLiteral("*.*"));
    for (const char* name : {"P1", "a:b.nc", "a?.nc", "a<b.nc", "a|b.nc", "a\tb.nc"}) {
        dialogs_.calls.clear();
        saveAs(QString::fromUtf8(name));
        ASSERT_EQ(dialogs_.calls.size(), 1U) << name;
        EXPECT_EQ(dialogs_.calls[0].title, "Drovane");
        EXPECT_EQ(dialogs_.calls[0].text,
                  QString::fromUtf8("Der Dateiname enthält ungültige Zeichen !"));
        EXPECT_EQ(state_.judgement.decision, OverwriteDecision::InvalidName);
    }
    EXPECT_EQ(QDir(nc_).entryList(QDir::Files), QStringList{"src.nc"});
    dialogs_.calls.clear();
    saveAs(QString::fromUtf8("Müß.nc"));
    EXPECT_TRUE(dialogs_.calls.empty());
    EXPECT_EQ(readBytes(nc_ + QString::fromUtf8("Müß.nc")), "N1\n");
}

TEST_F(ProgramTest, OverwriteIsAskedAndAnswered) {
    writeBytes(nc_ + "T.nc", "old old old old\n");
    loadFile(QStringLiteral("src.nc"), "new\n");
    dialogs_.yesNoAnswers = {false};
    saveAs(QStringLiteral("T.nc"));
    ASSERT_EQ(dialogs_.calls.size(), 1U);
    EXPECT_EQ(dialogs_.calls[0].title, QString::fromUtf8("Datei überschreiben ?"));
    EXPECT_EQ(dialogs_.calls[0].text,
              QString::fromUtf8("Die Datei \"T.nc\" existiert bereits.\nMöchten Sie die Datei "
                                "wirklich überschreiben ?"));
    EXPECT_EQ(readBytes(nc_ + "T.nc"), "old old old old\n");

    dialogs_.yesNoAnswers = {true};
    saveAs(QStringLiteral("T.nc"));
    EXPECT_EQ(readBytes(nc_ + "T.nc"), "new\n") << "shorter text leaves no old rest";

    QDir(nc_).mkdir(QStringLiteral("D.nc"));
    dialogs_.calls.clear();
    saveAs(QStringLiteral("D.nc"));
    EXPECT_TRUE(dialogs_.calls.empty()) << "a folder is no file to overwrite";
    EXPECT_TRUE(statusText().endsWith("Fehler! Programm konnte nicht unter " + nc_ +
                                      "D.nc gespeichert werden."));
}

TEST_F(ProgramTest, NothingIsSavedWithoutTextOrName) {
    window().switchMode(Mode::Receive);
    window().fileNameField()->setText(QStringLiteral("E.nc"));
    QTest::mouseClick(window().fileButton(), Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(nc_ + "E.nc"));
    loadFile(QStringLiteral("src.nc"), "N1\n");
    saveAs(QString());
    EXPECT_TRUE(dialogs_.calls.empty());
    EXPECT_EQ(QDir(nc_).entryList(QDir::Files), QStringList{"src.nc"});
}

TEST_F(ProgramTest, FailedSaveIsReportedAndChangesNothingElse) {
    loadFile(QStringLiteral("src.nc"), "N1\n");
    writeBytes(folder("plain"), "x");
    window().directoryField()->setText(folder("plain/")); // a path below a regular file
    window().fileNameField()->setText(QStringLiteral("X.nc"));
    const QString listDirectory = window().fileList()->currentDirectory();
    const QString listPattern = window().fileList()->pattern();
    programs().checkSaveTarget();
    programs().saveProgram();
    EXPECT_EQ(statusText(), "CNC-Programm geladen.\nFehler! Programm konnte nicht unter " +
                                folder("plain/") + "X.nc gespeichert werden.");
    EXPECT_EQ(tabTitle(), "src.nc");
    EXPECT_EQ(state_.programText, "N1\n");
    EXPECT_EQ(editorText(), "N1\n");
    EXPECT_EQ(window().fileList()->currentDirectory(), listDirectory);
    EXPECT_EQ(window().fileList()->pattern(), listPattern);
}

TEST_F(ProgramTest, WhatIsNoRegularFileIsAskedAboutButNeverReplaced) {
    loadFile(QStringLiteral("src.nc"), "N1\n");
    const std::filesystem::path fifo = (nc_ + "F.nc").toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink(fifo.parent_path() / "gone.nc",
                                    fifo.parent_path() / "dangling.nc");
    for (const QString& name : {QStringLiteral("F.nc"), QStringLiteral("dangling.nc")}) {
        dialogs_.calls.clear();
        dialogs_.yesNoAnswers = {true};
        saveAs(name);
        ASSERT_EQ(dialogs_.calls.size(), 1U) << name.toStdString();
        EXPECT_EQ(dialogs_.calls[0].kind, "yesno");
        EXPECT_TRUE(statusText().endsWith("Fehler! Programm konnte nicht unter " + nc_ + name +
                                          " gespeichert werden."));
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_TRUE(std::filesystem::is_symlink(fifo.parent_path() / "dangling.nc"));
    EXPECT_FALSE(std::filesystem::exists(fifo.parent_path() / "gone.nc"));
}

TEST_F(ProgramTest, ABackslashInTheNameSavesIntoTheSubfolder) {
    QDir(nc_).mkdir(QStringLiteral("sub"));
    loadFile(QStringLiteral("src.nc"), "N1\n");
    window().patternField()->setText(QStringLiteral("*.nc"));
    saveAs(QStringLiteral("sub\\P1"));
    EXPECT_EQ(readBytes(nc_ + "sub/P1.nc"), "N1\n");
    EXPECT_TRUE(statusText().endsWith("Programm unter " + nc_ + "sub/P1.nc gespeichert."));
    EXPECT_EQ(tabTitle(), "P1.nc");
}

TEST_F(ProgramTest, DecisionHoldsOnlyForTheJudgedPath) {
    loadFile(QStringLiteral("src.nc"), "new\n");
    writeBytes(nc_ + "B.nc", "keep B\n");
    window().switchMode(Mode::Receive);

    // Judged: no file at A.nc. Then the name is changed to an existing file.
    window().fileNameField()->setText(QStringLiteral("A.nc"));
    EXPECT_EQ(programs().checkSaveTarget(), OverwriteDecision::NoFileOrEmptyName);
    window().fileNameField()->setText(QStringLiteral("B.nc"));
    dialogs_.yesNoAnswers = {false};
    programs().saveProgram();
    EXPECT_EQ(dialogs_.calls.size(), 1U) << "asked again for the new path";
    EXPECT_EQ(readBytes(nc_ + "B.nc"), "keep B\n");

    // Judged: no file at C.nc. Then a file appears there.
    window().fileNameField()->setText(QStringLiteral("C.nc"));
    EXPECT_EQ(programs().checkSaveTarget(), OverwriteDecision::NoFileOrEmptyName);
    writeBytes(nc_ + "C.nc", "appeared\n");
    dialogs_.yesNoAnswers = {false};
    programs().saveProgram();
    EXPECT_EQ(dialogs_.calls.size(), 2U);
    EXPECT_EQ(readBytes(nc_ + "C.nc"), "appeared\n");

    // The "No" now holds for C.nc: saving again neither asks nor writes.
    programs().saveProgram();
    EXPECT_EQ(dialogs_.calls.size(), 2U);
    EXPECT_EQ(readBytes(nc_ + "C.nc"), "appeared\n");

    // A "Yes" for the very path it judged is not asked again.
    dialogs_.yesNoAnswers = {true};
    EXPECT_EQ(programs().checkSaveTarget(), OverwriteDecision::Overwrite);
    programs().saveProgram();
    EXPECT_EQ(dialogs_.calls.size(), 3U);
    EXPECT_EQ(readBytes(nc_ + "C.nc"), "new\n");
}

TEST_F(ProgramTest, ProgramNamedOnTheCommandLineIsShownSelectedAndLoaded) {
    writeBytes(nc_ + "P10.nc", "ten\n");
    writeBytes(nc_ + "P1.nc", "one\n");
    writeBytes(nc_ + "P1.tap", "tap\n");
    writeBytes(state_.settingsPath, "Pattern=*.tap\r\nPath=/nowhere/\r\n");
    window().fileList()->pointAt(QStringLiteral("/"));
    state_.startParameter = startParameterOf({"drovane", "\"" + nc_ + "P1.nc\""});
    session_->openStartFile(state_.startParameter);
    session_->restoreSavedState(true);
    window().programView().finish();
    EXPECT_EQ(window().fileList()->currentDirectory(), nc_);
    EXPECT_EQ(window().fileList()->pattern(), "*.nc");
    EXPECT_EQ(window().directoryField()->text(), nc_);
    EXPECT_EQ(window().patternField()->text(), "*.tap") << "the saved pattern shows";
    EXPECT_EQ(state_.ncDirectory, "/nowhere/");
    EXPECT_EQ(window().fileNameField()->text(), "P1.nc");
    EXPECT_EQ(state_.programText, "one\n");
    EXPECT_EQ(editorText(), "one\n");
}

TEST_F(ProgramTest, StartFileWithoutExtensionListsFilesWithoutOne) {
    writeBytes(nc_ + "PLAIN", "plain\n");
    writeBytes(nc_ + "P.nc", "nc\n");
    session_->openStartFile(nc_ + "PLAIN");
    EXPECT_EQ(window().fileList()->pattern(), "*.");
    EXPECT_EQ(state_.programText, "plain\n");
}

TEST_F(ProgramTest, WithoutStartFileTheListShowsTheSavedFolder) {
    writeBytes(nc_ + "Q.tap", "q\n");
    writeBytes(state_.settingsPath, "Path=" + localPathBytes(nc_) + "\r\nPattern=*.tap\r\n");
    session_->restoreSavedState(false);
    EXPECT_EQ(state_.ncDirectory, nc_);
    EXPECT_EQ(window().fileList()->currentDirectory(), nc_);
    EXPECT_EQ(window().fileList()->pattern(), "*.tap");
    EXPECT_EQ(window().directoryField()->text(), nc_);

    QFile::remove(state_.settingsPath);
    session_->restoreSavedState(false);
    EXPECT_TRUE(state_.ncDirectory == QDir::homePath() + "/" || state_.ncDirectory == "//");
    EXPECT_EQ(window().patternField()->text(), "*.nc");
}

TEST(StartupTest, FirstParameterAndSettingsPath) {
    EXPECT_EQ(startParameterOf({"drovane"}), "");
    EXPECT_EQ(startParameterOf({"drovane", "/a/P1.nc", "/b/P2.nc"}), "/a/P1.nc");
    EXPECT_EQ(startParameterOf({"drovane", "\"/a b/P", "1.nc\"", "x"}), "/a b/P 1.nc");
    EXPECT_EQ(startParameterOf({"drovane", QString::fromUtf8("/Müller/P1.nc")}),
              QString::fromUtf8("/Müller/P1.nc"));
    EXPECT_EQ(settingsPathBeside("/opt/drovane"), "/opt/drovane/drovane.ini");
    EXPECT_EQ(settingsPathBeside("/"), "/drovane.ini");
    EXPECT_EQ(settingsPathBeside(""), "drovane.ini");
}

TEST(StartupTest, StandardButtonsSpeakGerman) {
    application();
    QTranslator translator;
    ASSERT_TRUE(installGermanTranslations(translator));
    QMessageBox box(QMessageBox::Question, "t", "q", QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove('&'), "Ja");
    EXPECT_EQ(box.button(QMessageBox::No)->text().remove('&'), "Nein");
    QMessageBox ok(QMessageBox::Information, "t", "i", QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(ok.button(QMessageBox::Ok)->text().remove('&'), "OK");
    EXPECT_EQ(ok.button(QMessageBox::Cancel)->text().remove('&'), "Abbrechen");
    QCoreApplication::removeTranslator(&translator);
}

} // namespace
} // namespace drovane::testing

namespace drovane::testing {
namespace {

TEST_F(ProgramTest, LargeProgramShowsAtOnceAndFillsBetweenEvents) {
    std::string big;
    for (int line = 0; big.size() < 3'000'000; ++line) {
        big += "N" + std::to_string(line) + " X1.5\r\n";
    }
    writeBytes(nc_ + "BIG.nc", big);
    selectInList(nc_, QStringLiteral("BIG.nc"));
    programs().loadProgram();
    auto* editor = window().controlAs<QPlainTextEdit>("ProgramEditor");
    ASSERT_TRUE(window().programView().isFilling());
    EXPECT_GT(editor->blockCount(), 1);
    EXPECT_EQ(state_.programText, big) << "the program itself is complete at once";

    // A new load in the middle drops the rest of the old one.
    loadFile(QStringLiteral("small.nc"), "N1\r\nN2\r\n");
    EXPECT_EQ(editorText(), "N1\nN2\n");

    selectInList(nc_, QStringLiteral("BIG.nc"));
    programs().loadProgram();
    while (window().programView().isFilling()) {
        QApplication::processEvents();
    }
    EXPECT_EQ(editor->blockCount(), static_cast<int>(std::count(big.begin(), big.end(), '\n')) + 1);
    EXPECT_EQ(editor->document()->lastBlock().previous().text(),
              "N" + QString::number(std::count(big.begin(), big.end(), '\n') - 1) + " X1.5");
}

} // namespace
} // namespace drovane::testing
