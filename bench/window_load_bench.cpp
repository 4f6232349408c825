// Loading a 20 MB NC program from the file list into the editor, on the
// offscreen platform. "FirstScreen" is the time until the command returns
// with the first lines shown and the window free for input; "Complete" runs
// the remaining slices as well.

#include "qt/window_session.h"
#include "window/app_state.h"
#include "window/dialogs.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "window_bench_support.h"

namespace drovane {
namespace {

using bench::generatedProgram;
using bench::SilentDialogs;

struct Setup {
    Setup() {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "bench_window_load";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
        const std::string program = generatedProgram(20U * 1024U * 1024U);
        std::ofstream(dir.filePath("BIG.nc").toStdString(), std::ios::binary) << program;
        state.settingsPath = dir.filePath("drovane.ini").toStdString();
        session = std::make_unique<WindowSession>(state, dialogs, false, CommandDispatch::Hooks{});
        session->window().show();
        session->window().fileList()->pointAt(dir.path() + "/*.nc");
    }
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
    for (auto _ : bench) {
        s.session->programs().loadProgram();
        QApplication::processEvents(); // one pass of the event loop: the window answers
        bench.PauseTiming();
        s.session->window().programView().clear();
        bench.ResumeTiming();
    }
    bench.counters["bytes"] = static_cast<double>(s.state.programText.size());
}
BENCHMARK(BM_LoadFirstScreen)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_LoadComplete(benchmark::State& bench) {
    Setup& s = setup();
    selectBigFile(*s.session->window().fileList());
    for (auto _ : bench) {
        s.session->programs().loadProgram();
        while (s.session->window().programView().isFilling()) {
            QApplication::processEvents();
        }
    }
    bench.counters["lines"] = static_cast<double>(
        s.session->window().controlAs<ProgramTextWidget>("ProgramEditor")->lines().count());
}
BENCHMARK(BM_LoadComplete)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
} // namespace drovane
