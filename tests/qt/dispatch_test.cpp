// The Qt signals and filters that report the commands' events.

#include "window/settings_access.h"
#include "window_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

namespace drovane::testing {
namespace {

class DispatchTest : public WindowTest {
protected:
    DispatchTest() {
        QDir(folder()).mkpath(QStringLiteral("nc/sub"));
        writeBytes(folder("nc/P1.nc"), "N1 G0 X1\r\nM30\r\n");
        writeBytes(folder("nc/P10.nc"), "N1\n");
        writeBytes(folder("nc/Q2.tap"), "T\n");
        nc_ = folder(QStringLiteral("nc/"));
        state_.ncDirectory = nc_.toStdString();
        window().fileList()->pointAt(nc_ + QStringLiteral("*.nc"));
    }

    QStringList listedFiles() const {
        QStringList names;
        const FileList& list = *session_->window().fileList();
        for (int i = 0; i < list.entryCount(); ++i) {
            if (list.isFileEntry(i)) {
                names << list.entryName(i);
            }
        }
        return names;
    }
    QString statusText() { return window().controlAs<QPlainTextEdit>("StatusLine")->toPlainText(); }
    std::string storedPattern() const {
        return readTopLevelSetting(state_.settingsPath, "Pattern", "none");
    }

    QString nc_;
};

TEST_F(DispatchTest, AClickOnTheDirectionButtonSwitchesTheMode) {
    window().fileNameField()->setText(QStringLiteral("P1.nc"));
    QTest::mouseClick(window().directionButton(), Qt::LeftButton);
    EXPECT_EQ(window().mode(), Mode::Receive);
    EXPECT_EQ(state_.mode, Mode::Receive);
    EXPECT_EQ(window().fileButton()->text(), "Programm speichern");
    EXPECT_EQ(window().fileNameField()->text(), "");
}

TEST_F(DispatchTest, TheWheelOverAClosedDropDownChangesNothing) {
    QStringList turned;
    for (QComboBox* combo : window().findChildren<QComboBox*>()) {
        combo->addItems({QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")});
        combo->setCurrentIndex(1);
        const QSignalSpy picked(combo, &QComboBox::activated);
        for (const int delta : {120, -120, -120}) {
            QWheelEvent wheel(QPointF(5, 5), combo->mapToGlobal(QPointF(5, 5)), QPoint(),
                              QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                              false);
            QApplication::sendEvent(combo, &wheel);
        }
        EXPECT_EQ(combo->currentIndex(), 1) << combo->objectName().toStdString();
        EXPECT_EQ(picked.count(), 0) << combo->objectName().toStdString();
        turned << combo->objectName();
    }
    for (const char* name : {"MachineCombo", "PortCombo", "BaudCombo", "ParityCombo"}) {
        EXPECT_TRUE(turned.contains(QString::fromLatin1(name))) << name;
    }
}

TEST_F(DispatchTest, ListSignalsReachTheCommands) {
    for (int i = 0; i < window().fileList()->entryCount(); ++i) {
        if (window().fileList()->entryName(i) == QStringLiteral("P1.nc")) {
            window().fileList()->selectEntry(i);
        }
    }
    window().directoryField()->clear();
    emit window().fileList()->changed();
    EXPECT_EQ(window().directoryField()->text(), nc_);
    emit window().fileList()->fileOpened();
    EXPECT_EQ(state_.programText, "N1 G0 X1\r\nM30\r\n");
}

TEST_F(DispatchTest, TypingInTheFileNameFieldSteersTheList) {
    window().fileNameField()->setFocus();
    QTest::keyClicks(window().fileNameField(), "P1*");
    EXPECT_EQ(window().fileList()->pattern(), "P1*");
    EXPECT_EQ(listedFiles(), (QStringList{"P1.nc", "P10.nc"}));
}

TEST_F(DispatchTest, PatternFollowsEachKeyAndIsStoredOnLeaving) {
    window().show();
    window().patternField()->setFocus();
    window().patternField()->clear();
    QTest::keyClicks(window().patternField(), "*.tap");
    EXPECT_EQ(listedFiles(), (QStringList{"Q2.tap"}));
    EXPECT_EQ(storedPattern(), "none");
    QFocusEvent leave(QEvent::FocusOut);
    QApplication::sendEvent(window().patternField(), &leave);
    EXPECT_EQ(storedPattern(), "*.tap");
}

TEST_F(DispatchTest, RightClicksActWithoutPressingTheButton) {
    window().show();
    QSignalSpy directionClicks(window().directionButton(), &QPushButton::clicked);
    QSignalSpy directoryClicks(window().directoryButton(), &QPushButton::clicked);
    holdJob();
    window().appendStatus(QStringLiteral("Zeile"));
    QTest::mouseClick(window().directionButton(), Qt::RightButton);
    EXPECT_EQ(statusText(), "");
    EXPECT_EQ(window().mode(), Mode::Send);

    window().fileList()->pointAt(folder(QStringLiteral("nc/sub/")) + QStringLiteral("*.xyz"));
    window().patternField()->setText(QStringLiteral("P*.tap"));
    QTest::mouseClick(window().directoryButton(), Qt::RightButton);
    EXPECT_EQ(window().fileList()->currentDirectory(), nc_);
    EXPECT_EQ(window().fileList()->pattern(), "*.tap");

    EXPECT_EQ(directionClicks.count(), 0);
    EXPECT_EQ(directoryClicks.count(), 0);
    EXPECT_TRUE(dialogs_.calls.empty());
}

TEST_F(DispatchTest, PickingAMachineActsButSettingItFromTheProgramDoesNot) {
    writeSettings("Maschine = A\r\n[A]\r\nBaudrate = 1200\r\n[B]\r\nBaudrate = 2400\r\n");
    session_->restoreSavedState(false);
    auto* machines = window().controlAs<QComboBox>("MachineCombo");
    auto* baud = window().controlAs<QComboBox>("BaudCombo");
    machines->setCurrentIndex(1);
    EXPECT_EQ(baud->currentText(), "1200");
    machines->setCurrentIndex(0);
    QTest::keyClick(machines, Qt::Key_Down);
    EXPECT_EQ(machines->currentText(), "B");
    EXPECT_EQ(baud->currentText(), "2400");
}

} // namespace
} // namespace drovane::testing
