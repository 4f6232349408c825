// Files handed over by later starts, as the window applies them: never into
// an open dialog, never the wrong file, never half.

#include "qt/qt_hand_over_inbox.h"
#include "window_fixture.h"

#include <QDialog>
#include <QDir>
#include <QTest>

namespace drovane::testing {
namespace {

class HandOverWindowTest : public WindowTest {
protected:
    HandOverWindowTest() {
        QDir(folder()).mkpath(QStringLiteral("nc"));
        nc_ = folder(QStringLiteral("nc/"));
        writeBytes(nc_ + "A.nc", "program A\n");
        writeBytes(nc_ + "B.nc", "program B\n");
        writeBytes(nc_ + "C.nc", "program C\n");
        inbox_ = std::make_unique<QtHandOverInbox>(*session_);
        inbox_->receive(nc_ + "A.nc");
        window().programView().finish();
    }

    QString editorText() {
        return window().controlAs<ProgramTextWidget>("ProgramEditor")->toPlainText();
    }
    QString tabTitle() { return window().mainPanel()->tabText(ProgramTab); }
    // The program, the editor, the name and the tab title all show `name`.
    void expectShown(const QString& name, const std::string& text) {
        window().programView().finish();
        EXPECT_EQ(state_.programText, text);
        EXPECT_EQ(editorText(), QString::fromStdString(text));
        EXPECT_EQ(window().fileNameField()->text(), name);
        EXPECT_EQ(tabTitle(), name);
    }

    QString nc_;
    std::unique_ptr<QtHandOverInbox> inbox_;
};

TEST_F(HandOverWindowTest, AFileThatIsNotThereLeavesTheProgramWhole) {
    writeBytes(nc_ + "P10", "program P10\n");
    // P1 is a prefix of P10; Z.nc matches nothing.
    for (const char* name : {"P1", "Z.nc"}) {
        SCOPED_TRACE(name);
        dialogs_.calls.clear();
        inbox_->receive(nc_ + name);
        expectShown(QStringLiteral("A.nc"), "program A\n");
        ASSERT_EQ(dialogs_.calls.size(), 1U);
        EXPECT_EQ(dialogs_.calls[0].text,
                  "Die Datei \"" + std::string(name) + "\" kann nicht gelesen werden.");
    }
    // Where the search meets a folder of a longer name first, the file still loads.
    QDir(nc_).mkdir(QStringLiteral("P1 alt"));
    writeBytes(nc_ + "P1", "program P1\n");
    inbox_->receive(nc_ + "P1");
    expectShown(QStringLiteral("P1"), "program P1\n");
}

TEST_F(HandOverWindowTest, AHandOverWaitsForTheOpenDialogAndOnlyTheNewestIsApplied) {
    writeBytes(nc_ + "T.nc", "old T\n");
    dialogs_.yesNoAnswers = {true};
    dialogs_.folderAnswers = {std::string()};
    dialogs_.textAnswers = {std::nullopt};
    const std::vector<std::pair<const char*, std::function<void()>>> dialogs{
        {"overwrite question",
         [this] {
             session_->switchMode(Mode::Receive);
             window().directoryField()->setText(nc_);
             window().fileNameField()->setText(QStringLiteral("T.nc"));
             QTest::mouseClick(window().fileButton(), Qt::LeftButton);
         }},
        {"folder chooser",
         [this] {
             dispatch().dispatch("DirectoryButton", Trigger::Click);
         }},
        {"machine name",
         [this] {
             dispatch().dispatch("AddMachineButton", Trigger::Click);
         }},
        {"message box",
         [this] {
             programs().openProgramByPath((nc_ + "gone.nc").toStdString());
         }},
    };
    for (const auto& [name, openDialog] : dialogs) {
        SCOPED_TRACE(name);
        inbox_->receive(nc_ + "A.nc");
        window().programView().finish();
        int shown = 0;
        dialogs_.whileOpen = [&] {
            ++shown;
            const QString nameAtOpen = window().fileNameField()->text();
            const Mode modeAtOpen = window().mode();
            // The scripted answer stands in for a real modal box.
            QDialog box(&window());
            box.setModal(true);
            box.show();
            inbox_->receive(nc_ + "B.nc");
            inbox_->receive(nc_ + "C.nc");
            QTest::qWait(120); // the inbox's retries come and go meanwhile
            EXPECT_EQ(state_.programText, "program A\n");
            EXPECT_EQ(window().fileNameField()->text(), nameAtOpen);
            EXPECT_EQ(window().mode(), modeAtOpen);
            EXPECT_EQ(tabTitle(), "A.nc");
            box.hide();
        };
        openDialog();
        dialogs_.whileOpen = nullptr;
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(state_.programText, "program A\n") << "applied before the command ended";
        ASSERT_TRUE(QTest::qWaitFor([this] { return !inbox_->waiting(); }, 10000));
        expectShown(QStringLiteral("C.nc"), "program C\n");
        EXPECT_EQ(window().mode(), Mode::Send);
    }
    EXPECT_EQ(readBytes(nc_ + "T.nc"), "program A\n") << "the question was about program A";
}

} // namespace
} // namespace drovane::testing
