// The line on its own: what an idle line waiting for input costs (CPU and
// context switches of the waiting thread, and how soon an abort ends the
// wait), the run policy against the simulated UART, writing in runs over a
// pseudo-terminal, and an XOFF in the middle of a send, seen by the line
// itself or by the kernel's IXON (a pty's line discipline honours it).

#include "bench_pty.h"
#include "core/unique_fd.h"
#include "serial/abort_request.h"
#include "serial/termios/termios_serial_line.h"

#include "simulated_uart.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/resource.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace drovane {
namespace {

using Clock = std::chrono::steady_clock;

struct ThreadUsage {
    double cpuSeconds = 0;
    long switches = 0;
};

ThreadUsage threadUsage() {
    rusage usage{};
    ::getrusage(RUSAGE_THREAD, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return {seconds(usage.ru_utime) + seconds(usage.ru_stime), usage.ru_nvcsw + usage.ru_nivcsw};
}

using bench::Pty;

int openLine(TermiosSerialLine& line, const std::string& path,
             Handshake handshake = Handshake::NoHandshake) {
    SerialSettings settings;
    settings.portName = path;
    settings.baudRate = 115200;
    settings.handshake = handshake;
    return line.open(settings);
}

// One waitForInput of `range(0)` ms on a silent line, ended by an abort.
void BM_IdleLineAwaitingInput(benchmark::State& state) {
    const auto idle = std::chrono::milliseconds(state.range(0));
    for (auto _ : state) {
        Pty pty;
        TermiosSerialLine line;
        const int id = openLine(line, pty.path);
        AbortRequest abort;
        line.watchAbort(&abort);
        ThreadUsage used;
        Clock::time_point ended;
        std::thread waiter([&] {
            const ThreadUsage before = threadUsage();
            line.waitForInput(id, std::chrono::milliseconds(600'000));
            ended = Clock::now();
            const ThreadUsage after = threadUsage();
            used = {after.cpuSeconds - before.cpuSeconds, after.switches - before.switches};
        });
        std::this_thread::sleep_for(idle);
        const auto raised = Clock::now();
        abort.raise();
        waiter.join();
        const double seconds = std::chrono::duration<double>(idle).count();
        state.counters["cpu_percent"] = 100.0 * used.cpuSeconds / seconds;
        state.counters["switches_per_s"] = static_cast<double>(used.switches) / seconds;
        state.counters["abort_ms"] =
            std::chrono::duration<double, std::milli>(ended - raised).count();
        line.watchAbort(nullptr);
    }
}
BENCHMARK(BM_IdleLineAwaitingInput)->Arg(5'000)->Iterations(1)->Unit(benchmark::kMillisecond);

// 1 MB at the rate in range(0) through the run policy, in simulated time.
void BM_RunsAgainstSimulatedUart(benchmark::State& state) {
    const auto baud = static_cast<std::int32_t>(state.range(0));
    Outcome outcome;
    for (auto _ : state) {
        outcome = simulate(baud, 0, 1'000'000);
    }
    state.counters["write_calls_per_s"] = outcome.callsPerSecond;
    state.counters["bytes_after_xoff"] = static_cast<double>(outcome.mostAfterXoff);
    state.counters["line_busy"] = outcome.lineBusy;
}
BENCHMARK(BM_RunsAgainstSimulatedUart)->Arg(115'200)->Arg(921'600)->Unit(benchmark::kMillisecond);

// 1 MB handed to the line at once over a pseudo-terminal drained by a
// thread: CPU per MB of the writing thread and write calls.
void BM_PtyWriteInRuns(benchmark::State& state) {
    const std::string megabyte(1 << 20, 'G');
    double cpu = 0;
    for (auto _ : state) {
        Pty pty;
        TermiosSerialLine line;
        const int id = openLine(line, pty.path);
        line.setTimeouts(id, 100, 100, 100, 0, 0);
        std::thread reader([fd = pty.master.get(), total = megabyte.size()] {
            std::string sink(65536, '\0');
            for (std::size_t got = 0; got < total;) {
                const ssize_t n = ::read(fd, sink.data(), sink.size());
                if (n <= 0) {
                    break;
                }
                got += static_cast<std::size_t>(n);
            }
        });
        const ThreadUsage before = threadUsage();
        const int sent = line.write(id, megabyte.data(), static_cast<int>(megabyte.size()));
        cpu += threadUsage().cpuSeconds - before.cpuSeconds;
        reader.join();
        if (sent != static_cast<int>(megabyte.size())) {
            state.SkipWithError("not all bytes went out");
            break;
        }
    }
    state.counters["cpu_s_per_mb"] = cpu / static_cast<double>(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(megabyte.size()));
}
BENCHMARK(BM_PtyWriteInRuns)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

// The machine's side of an XOFF test: reads, sends XOFF once `xoffAt` bytes
// came, counts what still comes within 100 ms, sends XON, reads the rest.
struct XoffReader {
    int fd;
    std::size_t total;
    std::size_t xoffAt;
    std::size_t afterXoff = 0;

    void run() {
        std::string sink(65536, '\0');
        std::size_t got = 0;
        const auto readSome = [&](int timeoutMs) {
            pollfd entry{fd, POLLIN, 0};
            if (::poll(&entry, 1, timeoutMs) <= 0) {
                return std::size_t{0};
            }
            const ssize_t n = ::read(fd, sink.data(), sink.size());
            return n > 0 ? static_cast<std::size_t>(n) : std::size_t{0};
        };
        while (got < xoffAt) {
            got += readSome(5000);
        }
        ::write(fd, "\x13", 1);
        const auto quietUntil = Clock::now() + std::chrono::milliseconds(100);
        while (Clock::now() < quietUntil) {
            afterXoff += readSome(10);
        }
        got += afterXoff;
        ::write(fd, "\x11", 1);
        while (got < total) {
            const std::size_t n = readSome(5000);
            if (n == 0) {
                break;
            }
            got += n;
        }
    }
};

// 1 MB with an XOFF after 256 KB. range(0) 0: the line's own XON/XOFF;
// 1: the kernel's IXON stops the slave, which is written in runs of 4 KB by
// blocking writes (the path a driver that stops on XOFF itself would take).
void BM_PtyXoffInASend(benchmark::State& state) {
    const bool kernelStops = state.range(0) != 0;
    constexpr std::size_t kRun = 4096;
    const std::string megabyte(1 << 20, 'X');
    double cpu = 0;
    double afterXoff = 0;
    double calls = 0;
    for (auto _ : state) {
        Pty pty;
        XoffReader reader{pty.master.get(), megabyte.size(), megabyte.size() / 4};
        std::thread machine([&reader] { reader.run(); });
        const ThreadUsage before = threadUsage();
        std::size_t sent = 0;
        if (kernelStops) {
            termios values{};
            ::tcgetattr(pty.slave.get(), &values);
            ::cfmakeraw(&values);
            values.c_iflag |= IXON;
            ::tcsetattr(pty.slave.get(), TCSANOW, &values);
            while (sent < megabyte.size()) {
                const ssize_t n = ::write(pty.slave.get(), megabyte.data() + sent,
                                          std::min(kRun, megabyte.size() - sent));
                if (n <= 0) {
                    break;
                }
                sent += static_cast<std::size_t>(n);
                ++calls;
            }
        } else {
            TermiosSerialLine line;
            const int id = openLine(line, pty.path, Handshake::XonXoff);
            line.setTimeouts(id, 100, 100, 100, 0, 0);
            sent = static_cast<std::size_t>(
                line.write(id, megabyte.data(), static_cast<int>(megabyte.size())));
        }
        cpu += threadUsage().cpuSeconds - before.cpuSeconds;
        machine.join();
        afterXoff += static_cast<double>(reader.afterXoff);
        if (sent != megabyte.size()) {
            state.SkipWithError("not all bytes went out");
            break;
        }
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["cpu_s_per_mb"] = cpu / n;
    state.counters["bytes_after_xoff"] = afterXoff / n;
    if (kernelStops) {
        state.counters["write_calls"] = calls / n;
    }
}
BENCHMARK(BM_PtyXoffInASend)->Arg(0)->Arg(1)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace drovane
