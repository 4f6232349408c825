// The start button driving real jobs over a pseudo-terminal, with a peer on
// the master side, the window offscreen and the dialogs scripted.

#include "core/unique_fd.h"
#include "qt/qt_hand_over_inbox.h"
#include "qt/qt_transfer_runner.h"
#include "window_fixture.h"

#include <QComboBox>
#include <QMenu>
#include <QProgressBar>
#include <QTest>
#include <mutex>
#include <poll.h>
#include <pty.h>
#include <thread>
#include <unistd.h>

namespace drovane::testing {
namespace {

using namespace std::string_literals;

// Reads everything the program sends, on its own thread, so that the job
// never waits for the test and closing the port loses nothing.
class PeerReader {
public:
    explicit PeerReader(int fd)
        : fd_(fd), thread_([this](const std::stop_token& stop) { run(stop); }) {}
    std::string received() {
        const std::lock_guard lock(mutex_);
        return bytes_;
    }

private:
    void run(const std::stop_token& stop) {
        char chunk[4096];
        while (!stop.stop_requested()) {
            pollfd entry{fd_, POLLIN, 0};
            if (::poll(&entry, 1, 5) <= 0) {
                continue;
            }
            const ssize_t n = ::read(fd_, chunk, sizeof chunk);
            if (n > 0) {
                const std::lock_guard lock(mutex_);
                bytes_.append(chunk, static_cast<std::size_t>(n));
            }
        }
    }

    int fd_;
    std::mutex mutex_;
    std::string bytes_;
    std::jthread thread_;
};

class TransferWindowTest : public WindowTest {
protected:
    TransferWindowTest() {
        int master = -1;
        int slave = -1;
        EXPECT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
        master_.reset(master);
        // Kept open, so that nothing the peer writes is lost between two opens.
        slave_.reset(slave);
        choose("PortCombo", QString::fromLocal8Bit(::ttyname(slave)));
        choose("BaudCombo", QStringLiteral("115200"));
        choose("DataBitsCombo", QStringLiteral("8"));
        choose("StopBitsCombo", QStringLiteral("1"));
        choose("ParityCombo", QStringLiteral("NOPARITY"));
        choose("HandshakeCombo", QStringLiteral("NOHANDSHAKE"));
        choose("PercentFilterCombo", QStringLiteral("Ja"));
        window().controlAs<QLineEdit>("LeaderCountField")->setText(QStringLiteral("3"));
        window().controlAs<QLineEdit>("TrailerCountField")->setText(QStringLiteral("2"));
        runner_ = std::make_unique<QtTransferRunner>(state_, *session_);
        onStart_ = [this](Mode mode) {
            runner_->start(mode);
        };
        inbox_ = std::make_unique<QtHandOverInbox>(*session_);
        runner_->setJobEnded([this] { inbox_->jobEnded(); });
        session_->dispatch().setSendFromLine(
            [this](std::size_t line) { runner_->startSendFrom(line); });
    }
    ~TransferWindowTest() override {
        onStart_ = nullptr;
        runner_.reset();
        inbox_.reset();
    }

public:
    TransferWindowTest(const TransferWindowTest&) = delete;
    TransferWindowTest& operator=(const TransferWindowTest&) = delete;
    TransferWindowTest(TransferWindowTest&&) = delete;
    TransferWindowTest& operator=(TransferWindowTest&&) = delete;

protected:
    void choose(const char* combo, const QString& text) {
        auto* box = window().controlAs<QComboBox>(combo);
        box->addItem(text);
        box->setCurrentText(text);
    }
    void pressStart() { QTest::mouseClick(window().startButton(), Qt::LeftButton); }
    QString caption() const { return session_->window().startButton()->text(); }
    QStringList logLines() {
        return window().controlAs<QPlainTextEdit>("StatusLine")->toPlainText().split('\n');
    }
    // The job has ended and the window shows all it reported.
    bool settled() {
        return QTest::qWaitFor([this] { return !state_.jobRuns() && runner_->console().idle(); },
                               10000);
    }
    // The job's thread has ended and the window has applied none of its
    // last reports: no event is handled while waiting.
    bool threadEndedReportsWaiting() {
        for (int wait = 0; wait < 10000 && state_.transferJob.running(); ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return !state_.transferJob.running() && !runner_->console().idle();
    }
    void writePeer(const std::string& bytes) const {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(master_.get(), bytes.data() + done, bytes.size() - done);
            ASSERT_GT(n, 0);
            done += static_cast<std::size_t>(n);
        }
    }

    UniqueFd master_;
    UniqueFd slave_;
    std::unique_ptr<QtTransferRunner> runner_;
    std::unique_ptr<QtHandOverInbox> inbox_;
};

TEST_F(TransferWindowTest, SendFromTheWindowReachesThePeerByteForByte) {
    PeerReader peer(master_.get());
    state_.programText = "%\r\nO0001\r\nG0 X0\r\nM30\r\n%\r\n";
    window().fileNameField()->setText(QStringLiteral("P1.nc"));
    pressStart();
    ASSERT_TRUE(settled());
    const std::string text = "\r\nO0001\r\nG0 X0\r\nM30\r\n\r\n";
    const std::string wire = std::string(3, '\0') + text + std::string(2, '\0') + "\x04";
    EXPECT_TRUE(QTest::qWaitFor([&] { return peer.received().size() >= wire.size(); }, 5000));
    EXPECT_EQ(peer.received(), wire);
    EXPECT_TRUE(logLines().contains(
        QString::fromUtf8("Übertragung beendet. %1 Bytes gesendet.").arg(text.size())))
        << logLines().join('|').toStdString();
    EXPECT_EQ(caption(), QString::fromUtf8("Übertragung starten"));
    EXPECT_EQ(window().fileNameField()->text(), "");
    auto* progress = window().controlAs<QProgressBar>("TransferProgress");
    EXPECT_EQ(progress->maximum(), static_cast<int>(text.size()));
    // The loaded program stays as loaded for the next start.
    EXPECT_EQ(state_.programText, "%\r\nO0001\r\nG0 X0\r\nM30\r\n%\r\n");
}

TEST_F(TransferWindowTest, SendFromHereSendsTheHeadThenTheProgramFromThatLine) {
    PeerReader peer(master_.get());
    const std::string program = "%\r\nO0001\r\nN10 G0 X0\r\nN20 G1 X5\r\nN30 M30\r\n%\r\n";
    state_.programText = program;
    window().programView().show(program);
    window().programView().finish();
    window().fileNameField()->setText(QStringLiteral("P1.nc"));
    auto* editor = window().controlAs<ProgramTextWidget>("ProgramEditor");
    QMenu* menu =
        editor->contextMenuAt(QPoint(ProgramTextWidget::Margin, editor->lineHeight() * 3));
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions().first()->text(), "Ab hier senden");
    menu->actions().first()->trigger();
    ASSERT_TRUE(settled());
    const std::string text = "\r\nO0001\r\nN20 G1 X5\r\nN30 M30\r\n\r\n";
    const std::string wire = std::string(3, '\0') + text + std::string(2, '\0') + "\x04";
    EXPECT_TRUE(QTest::qWaitFor([&] { return peer.received().size() >= wire.size(); }, 5000));
    EXPECT_EQ(peer.received(), wire);
    EXPECT_TRUE(logLines().contains("Gesendet wird der Programmkopf, dann ab Zeile 4."))
        << logLines().join('|').toStdString();
    EXPECT_EQ(state_.programText, program);
}

TEST_F(TransferWindowTest, ReceptionLandsInTheNamedFileByteForByte) {
    session_->switchMode(Mode::Receive);
    window().directoryField()->setText(folder());
    window().fileNameField()->setText(QStringLiteral("R1.nc"));
    std::string program;
    for (int value = 1; value < 256; ++value) {
        if (value != 0x04 && value != 0x11 && value != 0x13) {
            program.push_back(static_cast<char>(value));
        }
    }
    program += "\r\nN10 G0\r\nM30\r\n";
    pressStart();
    ASSERT_TRUE(QTest::qWaitFor([this] { return caption() == "Abbrechen"; }, 5000));
    writePeer(std::string(5, '\0') + program + "\x04" + "ignored");
    ASSERT_TRUE(settled());

    EXPECT_EQ(readBytes(folder(QStringLiteral("R1.nc"))), program);
    EXPECT_EQ(state_.programText, program);
    const QStringList lines = logLines();
    EXPECT_TRUE(lines.contains(QStringLiteral("%1 Bytes empfangen.").arg(program.size())))
        << lines.join('|').toStdString();
    EXPECT_EQ(lines.last(), QStringLiteral("Programm unter %1 gespeichert.").arg(folder("R1.nc")));
    EXPECT_EQ(window().mainPanel()->tabText(ProgramTab), "R1.nc");
    EXPECT_EQ(caption(), QString::fromUtf8("Übertragung starten"));
    EXPECT_TRUE(dialogs_.calls.empty());
}

TEST_F(TransferWindowTest, AProgramSentToVirtuellComesBackAndIsSaved) {
    choose("PortCombo", QStringLiteral("VIRTUELL"));
    state_.programText = "%\r\nO0007\r\nG0 X1\r\nM30\r\n%\r\n";
    window().fileNameField()->setText(QStringLiteral("P7.nc"));
    pressStart();
    ASSERT_TRUE(settled());
    const auto machineLine = [this](const char* words) {
        return logLines().filter(QStringLiteral("Virtuelle Maschine")).join('|').contains(words);
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return machineLine("gespeichert"); }, 5000))
        << logLines().join('|').toStdString();

    session_->switchMode(Mode::Receive);
    window().directoryField()->setText(folder());
    window().fileNameField()->setText(QStringLiteral("V7.nc"));
    pressStart();
    ASSERT_TRUE(QTest::qWaitFor([this] { return caption() == "Abbrechen"; }, 5000));
    ASSERT_TRUE(settled());
    // What went out, the percent signs filtered, comes back without leader or end byte.
    EXPECT_EQ(readBytes(folder(QStringLiteral("V7.nc"))), "\r\nO0007\r\nG0 X1\r\nM30\r\n\r\n");
}

TEST_F(TransferWindowTest, EndCharacterEditedDuringTheReceptionTakesEffect) {
    session_->switchMode(Mode::Receive);
    window().directoryField()->setText(folder());
    window().fileNameField()->setText(QStringLiteral("E.nc"));
    pressStart();
    ASSERT_TRUE(QTest::qWaitFor([this] { return caption() == "Abbrechen"; }, 5000));
    window().controlAs<QLineEdit>("EndCharField")->setText(QStringLiteral("05"));
    writePeer("N1\r\n\x05N2\x04");
    ASSERT_TRUE(settled());
    EXPECT_EQ(readBytes(folder(QStringLiteral("E.nc"))), "N1\r\n");
}

TEST_F(TransferWindowTest, SecondPressAbortsAndThirdStartsAnew) {
    for (const Mode mode : {Mode::Send, Mode::Receive}) {
        SCOPED_TRACE(mode == Mode::Send ? "send" : "receive");
        session_->switchMode(mode);
        // A send held by RTS/CTS waits for CTS, which a pseudo-terminal never
        // raises; a reception waits for data.
        choose("HandshakeCombo",
               mode == Mode::Send ? QStringLiteral("RTS/CTS") : QStringLiteral("NOHANDSHAKE"));
        state_.programText = "N1\r\n";
        window().directoryField()->setText(folder());
        window().fileNameField()->setText(QStringLiteral("A.nc"));
        pressStart();
        ASSERT_TRUE(QTest::qWaitFor([this] { return caption() == "Abbrechen"; }, 5000));
        EXPECT_TRUE(state_.jobRuns());
        pressStart();
        EXPECT_EQ(state_.abortRequest.value(), AbortRequest::Abort);
        ASSERT_TRUE(settled());
        EXPECT_EQ(caption(), QString::fromUtf8("Übertragung starten"));
        EXPECT_EQ(transfersStarted_.size(), mode == Mode::Send ? 1U : 3U)
            << "the second press starts nothing";

        // An aborted send empties the name, and a send without one does nothing.
        window().fileNameField()->setText(QStringLiteral("A.nc"));
        pressStart();
        EXPECT_FALSE(state_.abortRequest.raised()) << "a new start clears the request";
        ASSERT_TRUE(QTest::qWaitFor([this] { return caption() == "Abbrechen"; }, 5000))
            << logLines().join('|').toStdString();
        EXPECT_TRUE(state_.jobRuns());
        pressStart();
        ASSERT_TRUE(settled());
    }
    EXPECT_EQ(transfersStarted_,
              (std::vector<Mode>{Mode::Send, Mode::Send, Mode::Receive, Mode::Receive}));
    EXPECT_FALSE(QFile::exists(folder("A.nc"))) << "an aborted reception saves nothing";
}

TEST_F(TransferWindowTest, APressBeforeTheWindowShowsTheEndStartsNoSecondSend) {
    PeerReader peer(master_.get());
    state_.programText = "N1\r\nM30\r\n";
    window().fileNameField()->setText(QStringLiteral("P1.nc"));
    pressStart();
    ASSERT_TRUE(threadEndedReportsWaiting());
    // The window still shows "Abbrechen" and the name: to the operator the job runs.
    dispatch().dispatch("StartButton", Trigger::Click);
    ASSERT_TRUE(settled());
    EXPECT_EQ(transfersStarted_.size(), 1U);
    EXPECT_EQ(caption(), QString::fromUtf8("Übertragung starten"));
    EXPECT_EQ(window().fileNameField()->text(), "");

    // Once the end is shown, the next press starts anew.
    window().fileNameField()->setText(QStringLiteral("P1.nc"));
    pressStart();
    ASSERT_TRUE(settled());
    EXPECT_EQ(transfersStarted_.size(), 2U);
    const std::string once = "\0\0\0N1\r\nM30\r\n\0\0\x04"s;
    EXPECT_TRUE(QTest::qWaitFor([&] { return peer.received().size() >= 2 * once.size(); }, 5000));
    EXPECT_EQ(peer.received(), once + once);
}

TEST_F(TransferWindowTest, AHandOverAtTheEndOfAnAbortedReceptionIsNotOverwrittenByIt) {
    writeBytes(folder("H.nc"), "handed over\n");
    session_->switchMode(Mode::Receive);
    window().directoryField()->setText(folder());
    window().fileNameField()->setText(QStringLiteral("R.nc"));
    pressStart();
    ASSERT_TRUE(QTest::qWaitFor([this] { return caption() == "Abbrechen"; }, 5000));
    writePeer("N1 partial\r\n");
    ASSERT_TRUE(QTest::qWaitFor(
        [this] {
            return window().controlAs<ProgramTextWidget>("ProgramEditor")->toPlainText() ==
                   "N1 partial\n";
        },
        5000));
    pressStart(); // abort
    ASSERT_TRUE(threadEndedReportsWaiting());
    inbox_->receive(folder("H.nc"));
    ASSERT_TRUE(settled());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !inbox_->waiting(); }, 10000));
    window().programView().finish();
    EXPECT_EQ(window().mode(), Mode::Send);
    EXPECT_EQ(window().fileNameField()->text(), "H.nc");
    EXPECT_EQ(state_.programText, "handed over\n");
    EXPECT_EQ(window().controlAs<ProgramTextWidget>("ProgramEditor")->toPlainText(),
              "handed over\n");
    EXPECT_EQ(window().mainPanel()->tabText(ProgramTab), "H.nc");
    EXPECT_FALSE(QFile::exists(folder("R.nc")));
}

TEST_F(TransferWindowTest, InvalidTargetNameEndsTheReceptionBeforeItStarts) {
    session_->switchMode(Mode::Receive);
    window().directoryField()->setText(folder());
    window().fileNameField()->setText(QStringLiteral("a?b.nc"));
    pressStart();
    ASSERT_TRUE(settled());
    ASSERT_EQ(dialogs_.calls.size(), 1U);
    EXPECT_EQ(dialogs_.calls[0].text, "Der Dateiname enthält ungültige Zeichen !");
    EXPECT_EQ(caption(), QString::fromUtf8("Übertragung starten"));
}

} // namespace
} // namespace drovane::testing
