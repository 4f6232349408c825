#include "shell/settings_access.h"
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
        writeBytes(folder("nc/noext"), "E\n");
        nc_ = folder(QStringLiteral("nc/"));
        state_.ncDirectory = nc_;
        window().fileList()->pointAt(nc_ + QStringLiteral("*.nc"));
    }

    void press(const char* control) { dispatch().dispatch(control, Trigger::Click); }
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

    QString nc_;
};

TEST_F(DispatchTest, ModeSwitchChangesPictureCaptionAndEmptiesTheName) {
    EXPECT_EQ(window().mode(), Mode::Send);
    EXPECT_EQ(window().fileButton()->text(), "Programm laden");
    window().fileNameField()->setText(QStringLiteral("P1.nc"));
    QTest::mouseClick(window().directionButton(), Qt::LeftButton);
    EXPECT_EQ(window().mode(), Mode::Receive);
    EXPECT_EQ(window().fileButton()->text(), "Programm speichern");
    EXPECT_EQ(window().fileNameField()->text(), "");
    window().fileNameField()->setText(QStringLiteral("P2"));
    QTest::mouseClick(window().directionButton(), Qt::LeftButton);
    EXPECT_EQ(window().mode(), Mode::Send);
    EXPECT_EQ(window().fileButton()->text(), "Programm laden");
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

TEST_F(DispatchTest, StartButtonStartsOrAbortsByJobState) {
    state_.abortRequest.raise();
    QTest::mouseClick(window().startButton(), Qt::LeftButton);
    ASSERT_EQ(transfersStarted_.size(), 1U);
    EXPECT_EQ(transfersStarted_[0], Mode::Send);
    EXPECT_FALSE(state_.abortRequest.raised());

    holdJob();
    QTest::mouseClick(window().startButton(), Qt::LeftButton);
    EXPECT_EQ(transfersStarted_.size(), 1U);
    EXPECT_EQ(state_.abortRequest.value(), AbortRequest::Abort);

    endHeldJob();
    window().switchMode(Mode::Receive);
    QTest::mouseClick(window().startButton(), Qt::LeftButton);
    ASSERT_EQ(transfersStarted_.size(), 2U);
    EXPECT_EQ(transfersStarted_[1], Mode::Receive);
    EXPECT_FALSE(state_.abortRequest.raised());
}

TEST_F(DispatchTest, ModeFileButtonAndListRestWhileAJobRuns) {
    holdJob();
    QTest::mouseClick(window().directionButton(), Qt::LeftButton);
    EXPECT_EQ(window().mode(), Mode::Send);

    selectInList(nc_, QStringLiteral("P1.nc"));
    window().directoryField()->setText(QStringLiteral("unchanged"));
    QTest::mouseClick(window().fileButton(), Qt::LeftButton);
    emit window().fileList()->fileOpened();
    emit window().fileList()->changed();
    EXPECT_TRUE(state_.programText.empty());
    EXPECT_EQ(window().directoryField()->text(), "unchanged");

    // The same commands act once the job has ended.
    endHeldJob();
    QTest::mouseClick(window().fileButton(), Qt::LeftButton);
    EXPECT_EQ(state_.programText, "N1 G0 X1\r\nM30\r\n");
    QTest::mouseClick(window().directionButton(), Qt::LeftButton);
    EXPECT_EQ(window().mode(), Mode::Receive);
}

TEST_F(DispatchTest, ListEventsInSendMode) {
    const int index = selectInList(nc_, QStringLiteral("P1.nc"));
    ASSERT_GE(index, 0);
    window().directoryField()->clear();
    emit window().fileList()->changed();
    EXPECT_EQ(window().directoryField()->text(), nc_);
    EXPECT_EQ(window().fileNameField()->text(), "") << "a selection alone loads nothing";
    EXPECT_TRUE(state_.programText.empty());
    emit window().fileList()->fileOpened();
    EXPECT_EQ(window().fileNameField()->text(), "P1.nc");
    EXPECT_EQ(state_.programText, "N1 G0 X1\r\nM30\r\n");
}

TEST_F(DispatchTest, ListEventsInReceiveMode) {
    window().switchMode(Mode::Receive);
    selectInList(nc_, QStringLiteral("sub"));
    emit window().fileList()->changed();
    EXPECT_EQ(window().fileNameField()->text(), "") << "a folder is no name";
    selectInList(nc_, QStringLiteral("P10.nc"));
    emit window().fileList()->changed();
    EXPECT_EQ(window().fileNameField()->text(), "P10.nc");
    emit window().fileList()->fileOpened();
    EXPECT_TRUE(state_.programText.empty()) << "receive mode loads nothing";
}

TEST_F(DispatchTest, FileNameFieldSteersTheList) {
    window().fileNameField()->setFocus();
    QTest::keyClicks(window().fileNameField(), "P1*");
    EXPECT_EQ(window().fileList()->pattern(), "P1*");
    EXPECT_EQ(listedFiles(), (QStringList{"P1.nc", "P10.nc"}));
    window().fileNameField()->selectAll();
    QTest::keyClicks(window().fileNameField(), "P1.nc");
    EXPECT_EQ(listedFiles(), (QStringList{"P1.nc"}));
    window().fileNameField()->selectAll();
    QTest::keyClick(window().fileNameField(), Qt::Key_Delete);
    EXPECT_EQ(window().fileList()->pattern(), "P1.nc") << "an empty field keeps the pattern";
    EXPECT_EQ(window().fileList()->currentDirectory(), nc_);
}

TEST_F(DispatchTest, PatternFollowsEachKeyAndIsStoredOnLeaving) {
    window().show();
    auto* other = window().controlAs<QPlainTextEdit>("StatusLine");
    window().patternField()->setFocus();
    window().patternField()->clear();
    QTest::keyClicks(window().patternField(), "*.ta");
    EXPECT_EQ(window().fileList()->pattern(), "*.ta");
    QTest::keyClick(window().patternField(), Qt::Key_P);
    EXPECT_EQ(listedFiles(), (QStringList{"Q2.tap"}));
    EXPECT_EQ(readTopLevelSetting(state_.settingsPath, "Pattern", "none"), "none");
    QFocusEvent leave(QEvent::FocusOut);
    QApplication::sendEvent(window().patternField(), &leave);
    EXPECT_EQ(readTopLevelSetting(state_.settingsPath, "Pattern", "none"), "*.tap");
    (void)other;
}

TEST_F(DispatchTest, FolderChooserStoresPathAndKeepsThePattern) {
    const QString other = folder(QStringLiteral("nc/sub/"));
    writeBytes(other + "S.nc", "S\n");
    dialogs_.folderAnswers = {QString(), other};

    QTest::mouseClick(window().directoryButton(), Qt::LeftButton);
    ASSERT_EQ(dialogs_.calls.size(), 1U);
    EXPECT_EQ(
        dialogs_.calls[0].text,
        QString::fromUtf8("Bitte wählen sie das Standardverzeichnis für ihre NC-Dateien aus:"));
    EXPECT_EQ(dialogs_.calls[0].title, "/") << "starts at the root";
    EXPECT_EQ(state_.ncDirectory, nc_) << "cancel changes nothing";
    EXPECT_FALSE(QFile::exists(state_.settingsPath)) << "cancel writes nothing";

    holdJob(); // the chooser works during a transfer too
    QTest::mouseClick(window().directoryButton(), Qt::LeftButton);
    EXPECT_EQ(state_.ncDirectory, other);
    EXPECT_EQ(window().directoryField()->text(), other);
    EXPECT_EQ(window().fileList()->currentDirectory(), other);
    EXPECT_EQ(window().fileList()->pattern(), "*.nc");
    EXPECT_EQ(listedFiles(), (QStringList{"S.nc"}));
    EXPECT_EQ(readTopLevelSetting(state_.settingsPath, "Path", ""), other);
}

TEST_F(DispatchTest, PathAndPatternThatCannotBeStoredAreReportedLikeAProfile) {
    writeBytes(folder("plain"), "x");
    state_.settingsPath = folder(QStringLiteral("plain/drovane.ini"));
    const QString told =
        QString::fromUtf8("Die Einstellungen konnten nicht gespeichert werden:\n") +
        state_.settingsPath;

    QFocusEvent leave(QEvent::FocusOut);
    QApplication::sendEvent(window().patternField(), &leave);
    dialogs_.folderAnswers = {folder(QStringLiteral("nc/sub/"))};
    QTest::mouseClick(window().directoryButton(), Qt::LeftButton);

    std::vector<DialogCall> boxes;
    for (const DialogCall& call : dialogs_.calls) {
        if (call.kind == "inform") {
            boxes.push_back(call);
        }
    }
    ASSERT_EQ(boxes.size(), 2U);
    for (const DialogCall& box : boxes) {
        EXPECT_EQ(box.title, "Einstellungen speichern");
        EXPECT_EQ(box.text, told);
    }
    EXPECT_EQ(readBytes(folder("plain")), "x");
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
    EXPECT_EQ(window().directoryField()->text(), nc_);

    EXPECT_EQ(directionClicks.count(), 0);
    EXPECT_EQ(directoryClicks.count(), 0);
    EXPECT_TRUE(dialogs_.calls.empty());
}

} // namespace
} // namespace drovane::testing
