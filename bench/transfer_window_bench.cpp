// Both transfers from the start button over a pseudo-terminal, with the
// window on the offscreen platform. "Send" counts text bytes a second;
// "Receive50MB" takes a 50 MB program into ProgramText and the editor and
// measures how late a 10 ms timer of the window fires meanwhile (the event
// loop's answer to input).

#include "core/unique_fd.h"
#include "qt/qt_transfer_runner.h"
#include "qt/window_session.h"
#include "window/app_state.h"
#include "window/dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <poll.h>
#include <pty.h>
#include <string>
#include <string_view>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "window_bench_support.h"

namespace drovane {
namespace {

using bench::generatedProgram;
using bench::SilentDialogs;

struct Rig {
    Rig() {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "bench_transfer_window";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
        int masterFd = -1;
        int slaveFd = -1;
        // Raw from the start: bytes that arrive before the job sets the line
        // up would otherwise pass the terminal's CR-to-LF translation.
        termios raw{};
        ::cfmakeraw(&raw);
        if (::openpty(&masterFd, &slaveFd, nullptr, &raw, nullptr) != 0) {
            std::abort();
        }
        master.reset(masterFd);
        slave.reset(slaveFd);
        state.settingsPath = dir.filePath("drovane.ini").toStdString();
        session = std::make_unique<WindowSession>(state, dialogs, false, CommandDispatch::Hooks{});
        MainWindow& window = session->window();
        const auto choose = [&window](const char* combo, const QString& text) {
            auto* box = window.controlAs<QComboBox>(combo);
            box->addItem(text);
            box->setCurrentText(text);
        };
        choose("PortCombo", QString::fromLocal8Bit(::ttyname(slaveFd)));
        choose("BaudCombo", QStringLiteral("115200"));
        choose("DataBitsCombo", QStringLiteral("8"));
        choose("StopBitsCombo", QStringLiteral("1"));
        choose("ParityCombo", QStringLiteral("NOPARITY"));
        choose("HandshakeCombo", QStringLiteral("NOHANDSHAKE"));
        window.show();
        runner = std::make_unique<QtTransferRunner>(state, *session);
    }
    ~Rig() { runner.reset(); }
    Rig(const Rig&) = delete;
    Rig& operator=(const Rig&) = delete;
    Rig(Rig&&) = delete;
    Rig& operator=(Rig&&) = delete;

    // Milliseconds until the job has ended; returns when the window shows all.
    // The line flushes what waited before it opened, so a peer that starts
    // earlier loses its first bytes: wait for the caption the job sets after
    // the open.
    void waitForTheOpenLine() const {
        const auto* start = session->window().controlAs<QPushButton>("StartButton");
        while (state.jobRuns() && start->text() != QStringLiteral("Abbrechen")) {
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        }
    }

    double runToEnd() const {
        QElapsedTimer clock;
        clock.start();
        double jobEnded = -1;
        while (state.jobRuns() || !runner->console().idle()) {
            QApplication::processEvents(QEventLoop::AllEvents, 5);
            if (jobEnded < 0 && !state.jobRuns()) {
                jobEnded = static_cast<double>(clock.elapsed());
            }
        }
        return jobEnded;
    }

    std::unique_ptr<QApplication> app;
    QTemporaryDir dir;
    UniqueFd master;
    UniqueFd slave;
    AppState state;
    SilentDialogs dialogs;
    std::unique_ptr<WindowSession> session;
    std::unique_ptr<QtTransferRunner> runner;
};

Rig& rig() {
    static Rig instance;
    return instance;
}

void BM_Send(benchmark::State& bench) {
    Rig& r = rig();
    r.session->switchMode(Mode::Send);
    r.state.programText = generatedProgram(std::size_t{256} * 1024U);
    std::atomic<bool> stop{false};
    std::atomic<std::int64_t> onWire{0};
    std::thread drain([&r, &stop, &onWire] {
        char chunk[65536];
        while (!stop) {
            pollfd entry{r.master.get(), POLLIN, 0};
            if (::poll(&entry, 1, 5) > 0) {
                const ssize_t n = ::read(r.master.get(), chunk, sizeof chunk);
                onWire += n > 0 ? n : 0;
            }
        }
    });
    while (bench.KeepRunning()) {
        // A send clears the name at its end, and a send without one does nothing.
        r.session->window().fileNameField()->setText(QStringLiteral("P.nc"));
        r.runner->start(Mode::Send);
        r.runToEnd();
    }
    stop = true;
    drain.join();
    bench.SetBytesProcessed(onWire.load());
    bench.counters["wire_bytes_per_run"] =
        static_cast<double>(onWire.load()) / static_cast<double>(bench.iterations());
}
BENCHMARK(BM_Send)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_Receive50MB(benchmark::State& bench) {
    Rig& r = rig();
    r.session->switchMode(Mode::Receive);
    const std::string program = generatedProgram(std::size_t{50} * 1024U * 1024U) + "\x04";
    double worstLateMs = 0;
    double lateSumMs = 0;
    std::int64_t ticks = 0;
    double jobEndedMs = 0;
    while (bench.KeepRunning()) {
        r.runner->start(Mode::Receive);
        r.waitForTheOpenLine();
        QElapsedTimer sinceTick;
        sinceTick.start();
        QTimer tick;
        tick.setInterval(10);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const double late = static_cast<double>(sinceTick.nsecsElapsed()) / 1e6 - 10.0;
            worstLateMs = std::max(worstLateMs, late);
            lateSumMs += std::max(0.0, late);
            ++ticks;
            sinceTick.restart();
        });
        tick.start();
        std::thread peer([&r, &program] {
            std::size_t done = 0;
            while (done < program.size()) {
                const ssize_t n =
                    ::write(r.master.get(), program.data() + done, program.size() - done);
                if (n <= 0) {
                    return;
                }
                done += static_cast<std::size_t>(n);
            }
        });
        jobEndedMs = r.runToEnd();
        peer.join();
        tick.stop();
    }
    bench.SetBytesProcessed(bench.iterations() * static_cast<std::int64_t>(program.size()));
    bench.counters["job_ended_ms"] = jobEndedMs;
    bench.counters["worst_late_ms"] = worstLateMs;
    bench.counters["mean_late_ms"] = ticks > 0 ? lateSumMs / static_cast<double>(ticks) : 0.0;
    bench.counters["program_bytes"] = static_cast<double>(r.state.programText.size());
    bench.counters["program_exact"] =
        r.state.programText == std::string_view(program).substr(0, program.size() - 1) ? 1 : 0;
    bench.counters["editor_lines"] = static_cast<double>(
        r.session->window().controlAs<ProgramTextWidget>("ProgramEditor")->lines().count());
}
BENCHMARK(BM_Receive50MB)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace
} // namespace drovane
