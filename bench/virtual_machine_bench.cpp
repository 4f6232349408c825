// A small program sent by the real send job through VIRTUELL with the
// default profile (4800 baud, no handshake): at the real clock it must arrive
// at the machine within a second. The second case runs the line 1000 times
// faster and shows what the simulation itself costs per byte.

#include "machine/port_selecting_line.h"
#include "transfer/job_console.h"
#include "transfer/job_context.h"
#include "transfer/send_job.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <ctime>
#include <mutex>
#include <string>

namespace drovane {
namespace {

class QuietConsole final : public JobConsole {
public:
    void appendLine(std::string_view /*line*/) override {}
    void replaceLastLine(std::string_view /*line*/) override {}
    void clearLog() override {}
    void clearLogSelection() override {}
    void setStartCaption(std::string_view /*caption*/) override {}
    void setProgressMaximum(std::int64_t /*maximum*/) override {}
    void setProgressValue(std::int64_t /*value*/) override {}
    void clearEditor() override {}
    void appendEditor(std::string_view /*bytes*/) override {}
    void clearEditorSelection() override {}
    void editorCaretToStart() override {}
    void setEditorTabTitle(std::string_view /*title*/) override {}
    void clearFileName() override {}
    void setProgramText(std::string /*text*/) override {}
};

// Counts the programs the machine has stored.
class StoredCount {
public:
    void add() {
        const std::lock_guard lock(mutex_);
        ++count_;
        changed_.notify_all();
    }
    void waitFor(int count) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return count_ >= count; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int count_ = 0;
};

std::string smallProgram(std::size_t bytes) {
    std::string p = "%\nO0001\n";
    for (int n = 10; p.size() < bytes; n += 10) {
        p += "N" + std::to_string(n) + " G01 X10.5 Z-2.25 F0.15\n";
    }
    return p + "M30\n%\n";
}

SettingsSnapshot defaultProfile() {
    SettingsSnapshot c;
    c.fileNameField = "P.nc";
    c.portCombo = "VIRTUELL";
    c.baudCombo = "4800";
    c.dataBitsCombo = "8";
    c.stopBitsCombo = "1";
    c.parityCombo = "NOPARITY";
    c.handshakeCombo = "NOHANDSHAKE";
    c.receiveBufferCombo = "4096";
    c.sendBufferCombo = "4096";
    c.sendTimeoutField = "300";
    c.receiveTimeoutField = "300";
    c.leaderCountField = "0";
    c.trailerCountField = "0";
    c.endCharField = "04";
    c.percentFilterCombo = "Nein";
    c.sendControlFilterCombo = "Nein";
    c.receiveControlFilterCombo = "Nein";
    return c;
}

// Time from pressing start to the machine's stored line.
void sendToMachine(benchmark::State& state, double clockSpeed) {
    const std::string program = smallProgram(static_cast<std::size_t>(state.range(0)));
    PortSelectingLine ports(clockSpeed);
    StoredCount stored;
    ports.virtualMachine().setReport([&](std::string_view line) {
        if (line.find("gespeichert") != std::string_view::npos) {
            stored.add();
        }
    });
    QuietConsole console;
    AbortRequest abort;
    TransferLock lock;
    LiveControls live;
    const JobContext context{ports, console, abort, lock, live};
    const SettingsSnapshot controls = defaultProfile();
    int sends = 0;
    for (auto _ : state) { // NOLINT(clang-analyzer-deadcode.DeadStores)
        SendJob(context, controls, program).run();
        stored.waitFor(++sends);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(program.size()));
}

void BM_SendToVirtualMachineRealClock(benchmark::State& state) {
    sendToMachine(state, 1.0);
}
BENCHMARK(BM_SendToVirtualMachineRealClock)
    ->Arg(200)
    ->Arg(400)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

void BM_SendToVirtualMachineFastClock(benchmark::State& state) {
    sendToMachine(state, 1000.0);
}
BENCHMARK(BM_SendToVirtualMachineFastClock)
    ->Arg(4000)
    ->Arg(40000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

double processCpuSeconds() {
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// A large program at 115200 baud and the real clock, to a machine that works
// as fast as the line: what both ends of the simulation cost in CPU for one
// send (wake-ups of the job and of the machine).
void BM_SendToVirtualMachineCpu(benchmark::State& state) {
    const std::string program = smallProgram(static_cast<std::size_t>(state.range(0)));
    PortSelectingLine ports(1.0);
    ports.virtualMachine().setWorkBaud(230'400);
    StoredCount stored;
    ports.virtualMachine().setReport([&](std::string_view line) {
        if (line.find("gespeichert") != std::string_view::npos) {
            stored.add();
        }
    });
    QuietConsole console;
    AbortRequest abort;
    TransferLock lock;
    LiveControls live;
    const JobContext context{ports, console, abort, lock, live};
    SettingsSnapshot controls = defaultProfile();
    controls.baudCombo = "115200";
    int sends = 0;
    const double cpuBefore = processCpuSeconds();
    for (auto _ : state) { // NOLINT(clang-analyzer-deadcode.DeadStores)
        SendJob(context, controls, program).run();
        stored.waitFor(++sends);
    }
    state.counters["cpu_seconds_per_send"] =
        (processCpuSeconds() - cpuBefore) / static_cast<double>(std::max(sends, 1));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(program.size()));
}
BENCHMARK(BM_SendToVirtualMachineCpu)
    ->Arg(200'000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
} // namespace drovane
