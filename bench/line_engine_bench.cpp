// The line on its own: what an idle line waiting for input costs (CPU and
// context switches of the waiting thread, and how soon an abort ends the
// wait), the run policy against the simulated UART, and writing in runs
// over a pseudo-terminal.

#include "bench_pty.h"
#include "core/unique_fd.h"
#include "serial/abort_request.h"
#include "serial/termios/termios_serial_line.h"

#include "simulated_uart.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <pty.h>
#include <string>
#include <sys/resource.h>
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

int openLine(TermiosSerialLine& line, const std::string& path) {
    SerialSettings settings;
    settings.portName = path;
    settings.baudRate = 115200;
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

} // namespace
} // namespace drovane
