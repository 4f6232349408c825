// The file list re-reads its folder synchronously on every keystroke in the
// pattern and file-name fields, so a large NC folder must list quickly.

#include "qt/file_list.h"
#include "window/directory_listing.h"
#include "window/file_pattern.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int folderSize = 5000;

// One folder of NC programs and other files, made once per run.
const QString& largeFolder() {
    static QTemporaryDir folder;
    static const bool filled = [] {
        for (int i = 0; i < folderSize; ++i) {
            const QString suffix = i % 4 == 0 ? QStringLiteral(".TAP") : QStringLiteral(".nc");
            QFile file(folder.path() + QStringLiteral("/P%1").arg(i) + suffix);
            if (!file.open(QIODevice::WriteOnly) || file.write("%\nG0 X0\nM30\n") < 0) {
                return false;
            }
        }
        return QDir(folder.path()).mkdir(QStringLiteral("sub"));
    }();
    static const QString path = filled ? folder.path() + u'/' : QString();
    return path;
}

void BM_MatchPattern(benchmark::State& state) {
    std::vector<std::string> names;
    for (int i = 0; i < folderSize; ++i) {
        names.push_back("PROGRAM_" + std::to_string(i) + "_Roughing.Nc");
    }
    const drovane::FilePattern pattern("*r*ing*.nc");
    for (auto _ : state) {
        int matches = 0;
        for (const std::string& name : names) {
            matches += pattern.matches(name) ? 1 : 0;
        }
        benchmark::DoNotOptimize(matches);
    }
    state.SetItemsProcessed(state.iterations() * folderSize);
}
BENCHMARK(BM_MatchPattern);

void BM_ListDirectory(benchmark::State& state) {
    const QString& folder = largeFolder();
    if (folder.isEmpty()) {
        state.SkipWithError("could not fill the folder");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(drovane::listDirectory(folder.toStdString(), "*.nc"));
    }
    state.SetItemsProcessed(state.iterations() * folderSize);
}
BENCHMARK(BM_ListDirectory)->Unit(benchmark::kMillisecond);

// What a keystroke in the pattern field costs: point the shown list anew.
void BM_PointVisibleList(benchmark::State& state) {
    const QString& folder = largeFolder();
    if (folder.isEmpty()) {
        state.SkipWithError("could not fill the folder");
        return;
    }
    drovane::FileList list;
    list.resize(564, 317);
    list.show();
    list.pointAt(folder);
    bool tap = false;
    for (auto _ : state) {
        list.pointAt(tap ? QStringLiteral("*.tap") : QStringLiteral("*.nc"));
        tap = !tap;
        QApplication::processEvents();
        benchmark::DoNotOptimize(list.entryCount());
    }
    state.SetItemsProcessed(state.iterations() * folderSize);
}
BENCHMARK(BM_PointVisibleList)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
