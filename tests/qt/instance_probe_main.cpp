// The program as it starts, with a line-based test hook: commands on stdin,
// answers and hand-over events on stdout. Built for the tests only.
//
//   instance_probe [--box-record-to FILE] [--translations DIR] [PARAMETER]
//   commands: receive | state | log | job on | job off | job end told | job thread gone | segv
//             | fatal8
//
// With --box-record-to, the fatal box is this probe again, which writes the
// text it should show into FILE instead of showing it.

#include "core/current_line.h"
#include "qt/qt_hand_over_inbox.h"
#include "qt/startup.h"
#include "qt/window_session.h"
#include "window/app_state.h"

#include <QSocketNotifier>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace drovane;

namespace {

int* volatile nowhere = nullptr;

void say(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

std::string text(const QString& value) {
    return value.toStdString();
}

std::string stateLine(WindowSession& session, const AppState& state) {
    MainWindow& window = session.window();
    const std::string program(
        state.programText.view().substr(0, state.programText.view().find('\n')));
    return "state " + std::string(window.mode() == Mode::Send ? "send" : "receive") + "|" +
           text(window.fileNameField()->text()) + "|" + text(window.directoryField()->text()) +
           "|" + program;
}

// A job that holds the transfer slot until released, as a running transfer would.
std::atomic<bool> jobReleased{false};

void endHeldJob(AppState& state) {
    jobReleased = true;
    state.transferJob.wait();
}

void runCommand(const std::string& command, WindowSession& session, AppState& state,
                QtHandOverInbox& inbox) {
    if (command == "receive") {
        session.switchMode(Mode::Receive);
        say("ok");
    } else if (command == "state") {
        say(stateLine(session, state));
    } else if (command == "log") {
        say("log " + text(session.window()
                              .controlAs<QPlainTextEdit>("StatusLine")
                              ->toPlainText()
                              .replace(QLatin1Char('\n'), QLatin1Char('|'))));
    } else if (command == "job on") {
        jobReleased = false;
        state.transferJob.start([] {
            while (!jobReleased) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });
        say("ok");
    } else if (command == "job off") {
        endHeldJob(state);
        inbox.jobEnded();
        say("ok");
    } else if (command == "job end told") {
        inbox.jobEnded(); // while the job's thread still runs
        say("ok");
    } else if (command == "job thread gone") {
        endHeldJob(state); // nobody tells the inbox
        say("ok");
    } else if (command == "segv") {
        CurrentLine.store(4242);
        *nowhere = 1;
    } else if (command == "fatal8") {
        CurrentLine.store(4343);
        RaiseFatal(8);
    } else {
        say("unknown " + command);
    }
}

void listen(WindowSession& session, AppState& state, QtHandOverInbox& inbox) {
    QObject::connect(&inbox, &QtHandOverInbox::applied,
                     [](const QString& path) { say("applied " + text(path)); });
    QObject::connect(&inbox, &QtHandOverInbox::held,
                     [](const QString& path) { say("held " + text(path)); });
    auto* input = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, &session.window());
    auto pending = std::make_shared<std::string>();
    QObject::connect(input, &QSocketNotifier::activated, [&session, &state, &inbox, pending] {
        std::array<char, 256> buffer{};
        const ssize_t got = ::read(STDIN_FILENO, buffer.data(), buffer.size());
        if (got <= 0) {
            std::_Exit(0); // the test has gone
        }
        pending->append(buffer.data(), static_cast<std::size_t>(got));
        for (auto end = pending->find('\n'); end != std::string::npos; end = pending->find('\n')) {
            const std::string command = pending->substr(0, end);
            pending->erase(0, end + 1);
            runCommand(command, session, state, inbox);
        }
    });
    say("ready");
}

} // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string_view> words(argv, argv + argc);
    if (words.size() == 5 && words[1] == "--record-box" && words[3] == FatalBoxOption) {
        std::ofstream(argv[2], std::ios::binary) << words[4];
        return 0;
    }
    StartupOptions options;
    std::vector<char*> arguments{argv[0]};
    int next = 1;
    if (words.size() >= 3 && words[1] == "--box-record-to") {
        options.fatalBox.arguments = {"--record-box", argv[2]};
        next = 3;
    }
    if (words.size() >= static_cast<std::size_t>(next) + 2 && words[next] == "--translations") {
        options.translationsDirectory = QString::fromLocal8Bit(argv[next + 1]);
        next += 2;
    }
    arguments.insert(arguments.end(), argv + next, argv + argc);
    arguments.push_back(nullptr);
    options.started = listen;
    int count = static_cast<int>(arguments.size()) - 1;
    return runApplication(count, arguments.data(), std::move(options));
}
