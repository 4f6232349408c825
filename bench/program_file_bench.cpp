#include "programs/program_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

// About 20 MB of short NC lines, as a CAM system writes them.
constexpr std::size_t twentyMegabytes = 20UL * 1000 * 1000;

std::string generatedProgram() {
    std::string text = "%\r\nO1000\r\n";
    text.reserve(twentyMegabytes + 100);
    for (long line = 1; text.size() < twentyMegabytes; ++line) {
        text += "N" + std::to_string(line) + " G1 X" + std::to_string(line % 5000) + ".25 Y" +
                std::to_string((line * 7) % 3000) + ".5\r\n";
    }
    return text + "M30\r\n%\r\n";
}

class GeneratedFile {
public:
    GeneratedFile()
        : path_(std::filesystem::temp_directory_path() /
                ("bench_program_" + std::to_string(::getpid()) + ".nc")) {
        const std::string text = generatedProgram();
        size_ = text.size();
        std::ofstream(path_, std::ios::binary).write(text.data(), static_cast<long>(size_));
    }
    GeneratedFile(const GeneratedFile&) = delete;
    GeneratedFile& operator=(const GeneratedFile&) = delete;
    ~GeneratedFile() { std::filesystem::remove(path_); }
    const std::filesystem::path& path() const { return path_; }
    std::size_t size() const { return size_; }

private:
    std::filesystem::path path_;
    std::size_t size_ = 0;
};

void ReadTwentyMegabyteProgram(benchmark::State& state) {
    const GeneratedFile file;
    for (auto _ : state) { // NOLINT(clang-analyzer-deadcode.DeadStores)
        auto text = drovane::readProgramFile(file.path());
        if (!text || text->size() != file.size()) {
            state.SkipWithError("the program was not read whole");
            break;
        }
        benchmark::DoNotOptimize(text->data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(ReadTwentyMegabyteProgram)->Unit(benchmark::kMillisecond);

} // namespace
