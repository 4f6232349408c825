// The transfer jobs over a pseudo-terminal with the termios line: send and
// receive throughput, the CPU a job uses while it waits, and how fast an
// abort request ends a waiting job.

#include "bench_pty.h"
#include "core/unique_fd.h"
#include "serial/termios/termios_serial_line.h"
#include "serial/virtual/virtual_serial_line.h"
#include "transfer/receive_job.h"
#include "transfer/send_job.h"
#include "transfer/transfer_job.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace drovane {
namespace {

using Clock = std::chrono::steady_clock;

// Keeps nothing, as a window that coalesces would draw next to nothing;
// notes when the read loop has started.
class QuietConsole final : public JobConsole {
public:
    void appendLine(std::string_view /*line*/) override {}
    void replaceLastLine(std::string_view /*line*/) override {}
    void clearLog() override {}
    void clearLogSelection() override {}
    void setStartCaption(std::string_view /*caption*/) override {}
    void setProgressMaximum(std::int64_t /*maximum*/) override {}
    void setProgressValue(std::int64_t /*value*/) override { progressSet.store(true); }
    void clearEditor() override {}
    void appendEditor(std::string_view bytes) override { editorBytes += bytes.size(); }
    void clearEditorSelection() override {}
    void editorCaretToStart() override {}
    void setEditorTabTitle(std::string_view /*title*/) override {}
    void clearFileName() override {}
    void setProgramText(std::string text) override { programBytes = text.size(); }

    std::atomic<bool> progressSet{false};
    std::size_t editorBytes = 0;
    std::size_t programBytes = 0;
};

class NoSave final : public ReceiveTarget {
public:
    OverwriteDecision checkSaveTarget() override { return OverwriteDecision::NoFileOrEmptyName; }
    void saveProgram(std::string_view /*text*/, OverwriteDecision /*decision*/) override {}
};

using bench::Pty;

SettingsSnapshot controlsFor(const std::string& port) {
    SettingsSnapshot c;
    c.fileNameField = "P1.nc";
    c.portCombo = port;
    c.baudCombo = "115200";
    c.dataBitsCombo = "8";
    c.stopBitsCombo = "1";
    c.parityCombo = "NOPARITY";
    c.handshakeCombo = "NOHANDSHAKE";
    c.receiveBufferCombo = "4096";
    c.sendBufferCombo = "4096";
    c.sendTimeoutField = "300";
    c.receiveTimeoutField = "300";
    c.endCharField = "04";
    return c;
}

struct Jobs {
    explicit Jobs(SerialLine& line) : context{line, console, abort, lock, live} {}
    QuietConsole console;
    AbortRequest abort;
    TransferLock lock;
    LiveControls live;
    JobContext context;
};

void BM_SendJobOverPty(benchmark::State& state) {
    const auto size = static_cast<std::size_t>(state.range(0));
    std::string program;
    while (program.size() < size) {
        program += "N" + std::to_string(program.size()) + " G1 X12.5 Y-3\n";
    }
    while (state.KeepRunning()) {
        Pty pty;
        TermiosSerialLine line;
        Jobs jobs(line);
        std::atomic<std::size_t> drained{0};
        std::thread peer([&] {
            char sink[65536];
            while (drained.load() < program.size() + 1) {
                pollfd entry{pty.master.get(), POLLIN, 0};
                if (::poll(&entry, 1, 2000) <= 0) {
                    break;
                }
                const ssize_t n = ::read(pty.master.get(), sink, sizeof sink);
                if (n <= 0) {
                    break;
                }
                drained += static_cast<std::size_t>(n);
            }
        });
        SettingsSnapshot controls = controlsFor(pty.path);
        controls.baudCombo = std::to_string(state.range(1));
        SendJob job(jobs.context, controls, program);
        job.run();
        peer.join();
        if (job.bytesSent() != static_cast<std::int64_t>(program.size())) {
            state.SkipWithError("not all bytes went out");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(program.size()));
}
// The line paces its writes by the baud rate, as a real port would.
BENCHMARK(BM_SendJobOverPty)
    ->Args({200'000, 115'200})
    ->Args({200'000, 4'000'000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

double processCpuSeconds() {
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The peer's writes count in the CPU figure too: it is the process's.
void BM_ReceiveJobOverPty(benchmark::State& state) {
    const auto size = static_cast<std::size_t>(state.range(0));
    const double cpuBefore = processCpuSeconds();
    std::string block;
    while (block.size() < 65536) {
        block += "N" + std::to_string(block.size()) + " G1 X12.5 Y-3\r\n";
    }
    block.resize(65536);
    while (state.KeepRunning()) {
        Pty pty;
        TermiosSerialLine line;
        Jobs jobs(line);
        NoSave target;
        TransferJob runner(jobs.abort);
        runner.start([&] { ReceiveJob(jobs.context, controlsFor(pty.path), target).run(); });
        while (!jobs.console.progressSet.load()) {
            std::this_thread::yield();
        }
        for (std::size_t sent = 0; sent < size;) {
            const std::size_t part = std::min(block.size(), size - sent);
            const ssize_t n = ::write(pty.master.get(), block.data(), part);
            if (n <= 0) {
                break;
            }
            sent += static_cast<std::size_t>(n);
        }
        const char end = 0x04;
        ::write(pty.master.get(), &end, 1);
        runner.wait();
        if (jobs.console.programBytes != size) {
            state.SkipWithError("not all bytes arrived");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
    state.counters["cpu_seconds_per_run"] =
        (processCpuSeconds() - cpuBefore) /
        static_cast<double>(std::max<std::int64_t>(state.iterations(), 1));
}
BENCHMARK(BM_ReceiveJobOverPty)
    ->Arg(50'000'000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Voluntary and forced: each is a wake-up of some thread of the process.
long processContextSwitches() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_nvcsw + usage.ru_nivcsw;
}

enum class Waiting : std::uint8_t { DsrOnVirtualLine, DsrOnPty, DataOnPty };

// A job that waits: the share of a core it uses over `range(0)` ms, its
// wake-ups a second, and how long an abort request takes to end it. A pty
// has no modem lines to be woken by: its DSR wait is the looking one.
void waitingJob(benchmark::State& state, Waiting waiting) {
    const auto idle = std::chrono::milliseconds(state.range(0));
    double cpuShare = 0;
    double abortMs = 0;
    double wakeUps = 0;
    while (state.KeepRunning()) {
        Pty pty;
        TermiosSerialLine termios;
        VirtualSerialLine virtualLine;
        SerialLine& line =
            waiting == Waiting::DsrOnVirtualLine ? static_cast<SerialLine&>(virtualLine) : termios;
        Jobs jobs(line);
        NoSave target;
        SettingsSnapshot controls = controlsFor(pty.path);
        controls.dtrDsrCheck = waiting != Waiting::DataOnPty;
        TransferJob runner(jobs.abort);
        runner.start([&] { ReceiveJob(jobs.context, controls, target).run(); });
        std::this_thread::sleep_for(std::chrono::milliseconds(100)); // settled
        const double cpuBefore = processCpuSeconds();
        const long switchesBefore = processContextSwitches();
        std::this_thread::sleep_for(idle);
        const double cpu = processCpuSeconds() - cpuBefore;
        const long switches = processContextSwitches() - switchesBefore;
        const auto raised = Clock::now();
        jobs.abort.raise();
        runner.wait();
        abortMs = std::chrono::duration<double, std::milli>(Clock::now() - raised).count();
        const double idleSeconds = std::chrono::duration<double>(idle).count();
        cpuShare = 100.0 * cpu / idleSeconds;
        wakeUps = static_cast<double>(switches) / idleSeconds;
    }
    state.counters["cpu_percent"] = cpuShare;
    state.counters["wakeups_per_second"] = wakeUps;
    state.counters["abort_ms"] = abortMs;
}

void BM_WaitingForDsr(benchmark::State& state) {
    waitingJob(state, Waiting::DsrOnVirtualLine);
}
BENCHMARK(BM_WaitingForDsr)->Arg(10'000)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_WaitingForDsrOnPty(benchmark::State& state) {
    waitingJob(state, Waiting::DsrOnPty);
}
BENCHMARK(BM_WaitingForDsrOnPty)->Arg(10'000)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ReceivingNothing(benchmark::State& state) {
    waitingJob(state, Waiting::DataOnPty);
}
BENCHMARK(BM_ReceivingNothing)->Arg(10'000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace drovane
