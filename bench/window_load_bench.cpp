// Loading a 20 MB NC program (DROVANE_BENCH_MB sets another size) from the
// file list into the editor, on the offscreen platform. "FirstScreen" is the
// time until the command returns with the first lines shown and the window
// free for input; "Complete" runs the remaining slices as well and tells the
// resident memory the load added and its peak, per byte of the program;
// "LastLine" scrolls to the end and paints it. "ReadFileOnly" is the part of
// the first screen spent reading the file.

#include "programs/program_file.h"
#include "qt/window_session.h"
#include "window/app_state.h"
#include "window/dialogs.h"

#include <QApplication>
#include <QScrollBar>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "window_bench_support.h"

namespace drovane {
namespace {

using bench::generatedProgram;
using bench::SilentDialogs;

std::size_t benchBytes() {
    const char* megabytes = std::getenv("DROVANE_BENCH_MB");
    return std::size_t{1024} * 1024 * (megabytes != nullptr ? std::stoul(megabytes) : 20U);
}

// Kilobytes of a line of /proc/self/status ("VmRSS", "VmHWM").
double statusKilobytes(const std::string& key) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(key + ":")) {
            return std::stod(line.substr(key.size() + 1));
        }
    }
    return 0;
}

void resetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

struct Setup {
    Setup() {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "bench_window_load";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
        {
            const std::string program = generatedProgram(benchBytes());
            std::ofstream(dir.filePath("BIG.nc").toStdString(), std::ios::binary) << program;
        }
        state.settingsPath = dir.filePath("drovane.ini").toStdString();
        session = std::make_unique<WindowSession>(state, dialogs, false, CommandDispatch::Hooks{});
        session->window().show();
        session->window().fileList()->pointAt(dir.path() + "/*.nc");
        QApplication::processEvents();
        residentBefore = statusKilobytes("VmRSS");
    }
    double residentBefore = 0;
    std::unique_ptr<QApplication> app;
    QTemporaryDir dir;
    AppState state;
    SilentDialogs dialogs;
    std::unique_ptr<WindowSession> session;
};

Setup& setup() {
    static Setup instance;
    return instance;
}

void selectBigFile(FileList& list) {
    for (int i = 0; i < list.entryCount(); ++i) {
        if (list.entryName(i) == "BIG.nc") {
            list.selectEntry(i);
        }
    }
}

void BM_LoadFirstScreen(benchmark::State& bench) {
    Setup& s = setup();
    selectBigFile(*s.session->window().fileList());
    std::size_t bytes = 0;
    for (auto _ : bench) {
        s.session->programs().loadProgram();
        QApplication::processEvents(); // one pass of the event loop: the window answers
        bench.PauseTiming();
        bytes = s.state.programText.size();
        // A window that shows nothing yet: freeing the last program is not part of the load.
        s.state.programText = SharedText();
        s.session->window().programView().clear();
        QApplication::processEvents();
        bench.ResumeTiming();
    }
    bench.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_LoadFirstScreen)->Unit(benchmark::kMillisecond)->Iterations(5);

// The part of the first screen that is reading the file alone.
void BM_ReadFileOnly(benchmark::State& bench) {
    Setup& s = setup();
    const std::string path = s.dir.filePath("BIG.nc").toStdString();
    for (auto _ : bench) {
        std::optional<std::size_t> nulOffset;
        benchmark::DoNotOptimize(readProgramFile(path, nulOffset));
    }
}
BENCHMARK(BM_ReadFileOnly)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_LoadComplete(benchmark::State& bench) {
    Setup& s = setup();
    selectBigFile(*s.session->window().fileList());
    for (auto _ : bench) {
        bench.PauseTiming();
        s.state.programText = SharedText();
        s.session->window().programView().clear();
        QApplication::processEvents();
        resetPeakMemory();
        bench.ResumeTiming();
        s.session->programs().loadProgram();
        while (s.session->window().programView().isFilling()) {
            QApplication::processEvents();
        }
    }
    const double bytes = static_cast<double>(s.state.programText.size()) / 1024;
    bench.counters["lines"] = static_cast<double>(
        s.session->window().controlAs<ProgramTextWidget>("ProgramEditor")->lines().count());
    bench.counters["resident_per_byte"] = (statusKilobytes("VmRSS") - s.residentBefore) / bytes;
    bench.counters["peak_per_byte"] = (statusKilobytes("VmHWM") - s.residentBefore) / bytes;
}
BENCHMARK(BM_LoadComplete)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_LastLine(benchmark::State& bench) {
    Setup& s = setup();
    auto* editor = s.session->window().controlAs<ProgramTextWidget>("ProgramEditor");
    for (auto _ : bench) {
        editor->verticalScrollBar()->setValue(0);
        editor->viewport()->repaint();
        editor->verticalScrollBar()->setValue(editor->verticalScrollBar()->maximum());
        editor->viewport()->repaint();
    }
    bench.counters["top"] = static_cast<double>(editor->firstVisibleLine());
}
BENCHMARK(BM_LastLine)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
} // namespace drovane
