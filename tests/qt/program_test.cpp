#include "qt/qt_dialogs.h"
#include "qt/startup.h"
#include "window_fixture.h"

#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <algorithm>

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
        return window().controlAs<ProgramTextWidget>("ProgramEditor")->toPlainText();
    }
    QString statusText() { return window().controlAs<QPlainTextEdit>("StatusLine")->toPlainText(); }
    QString tabTitle() { return window().mainPanel()->tabText(ProgramTab); }

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

TEST_F(ProgramTest, ProgramNamedOnTheCommandLineIsShownSelectedAndLoaded) {
    writeBytes(nc_ + "P10.nc", "ten\n");
    writeBytes(nc_ + "P1.nc", "one\n");
    writeBytes(nc_ + "P1.tap", "tap\n");
    writeSettings("Pattern=*.tap\r\nPath=/nowhere/\r\n");
    window().fileList()->pointAt(QStringLiteral("/"));
    state_.startParameter = startParameterOf({"drovane", "\"" + nc_ + "P1.nc\""}).toStdString();
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

TEST_F(ProgramTest, WithoutStartFileTheListShowsTheSavedFolder) {
    writeBytes(nc_ + "Q.tap", "q\n");
    writeSettings("Path=" + localPathBytes(nc_) + "\r\nPattern=*.tap\r\n");
    session_->restoreSavedState(false);
    EXPECT_EQ(state_.ncDirectory, nc_.toStdString());
    EXPECT_EQ(window().fileList()->currentDirectory(), nc_);
    EXPECT_EQ(window().fileList()->pattern(), "*.tap");
    EXPECT_EQ(window().directoryField()->text(), nc_);

    QFile::remove(QString::fromStdString(state_.settingsPath));
    session_->restoreSavedState(false);
    EXPECT_TRUE(state_.ncDirectory == (QDir::homePath() + "/").toStdString() ||
                state_.ncDirectory == "//");
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

// Each box answers with its own default button, so the default is checked too.
TEST(QtDialogsTest, TheProgramsBoxesCarryNoIcon) {
    application();
    QtDialogs dialogs;
    std::vector<QMessageBox::Icon> icons;
    const auto answerNextBox = [&icons] {
        QTimer::singleShot(0, [&icons] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            icons.push_back(box->icon());
            QAbstractButton* answer = box->defaultButton();
            (answer != nullptr ? answer : box->buttons().value(0))->click();
        });
    };
    answerNextBox();
    dialogs.inform("Drovane", "Programm gespeichert.");
    answerNextBox();
    EXPECT_FALSE(dialogs.askYesNo("Drovane", "Maschine löschen?"));
    EXPECT_EQ(icons, (std::vector{QMessageBox::NoIcon, QMessageBox::NoIcon}));
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
    auto* editor = window().controlAs<ProgramTextWidget>("ProgramEditor");
    EXPECT_GT(editor->lines().count(), 1U) << "the first lines show at once";
    EXPECT_EQ(state_.programText, big) << "the program itself is complete at once";

    // A new load drops what may be left of the old one.
    loadFile(QStringLiteral("small.nc"), "N1\r\nN2\r\n");
    EXPECT_EQ(editorText(), "N1\nN2\n");

    selectInList(nc_, QStringLiteral("BIG.nc"));
    programs().loadProgram();
    while (window().programView().isFilling()) {
        QApplication::processEvents();
    }
    const auto lines = static_cast<std::size_t>(std::count(big.begin(), big.end(), '\n'));
    ASSERT_EQ(editor->lines().count(), lines + 1);
    EXPECT_EQ(editor->lines().line(lines - 1), "N" + std::to_string(lines - 1) + " X1.5");
}

} // namespace
} // namespace drovane::testing
