// One full settings cycle on a file with 1,000 machine groups laid out as the
// program writes them: open, read every key, write one value, close.

#include "profiles/settings_file.h"

#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Machines = 1000;
const std::string Separator = std::string(46, '-');

constexpr std::array<std::string_view, 26> Keys = {"Baudrate",
                                                   "COM-Nummer",
                                                   "Datenbits",
                                                   "Parit\xE4t",
                                                   "Stopbits",
                                                   "Protokoll",
                                                   "TimeOut_Empfangen",
                                                   "Puffergr\xF6sse_Empfangen",
                                                   "Steuerzeichen_Empfangen",
                                                   "EinlesenBeenden_Empfangen",
                                                   "TimeOut_Senden",
                                                   "Zeilenumbruch_Senden",
                                                   "Puffergr\xF6sse_Senden",
                                                   "Steuerzeichen_Senden",
                                                   "Prozent_Filtern_Senden",
                                                   "Anzahl_Hexzeichen_Vorlauf",
                                                   "Anzahl_Hexzeichen_Nachlauf",
                                                   "Stringausgabe_Beginn",
                                                   "Stringausgabe_Ende",
                                                   "Stringausgabe_(M02/M30)",
                                                   "Stringausgabe_nach_Zeilenende",
                                                   "XON",
                                                   "XOFF",
                                                   "XON_Senden",
                                                   "XON_Warten",
                                                   "DTR/DSR"};

std::string machineName(int i) {
    return "Maschine" + std::to_string(i);
}

std::string largeSettingsFile() {
    std::string text = "Maschine = Maschine500\r\nPath = /home/nc/\r\nPattern = *.nc\r\n";
    for (int i = 0; i < Machines; ++i) {
        text += "[" + machineName(i) + "]\r\n; " + Separator + "\r\n";
        for (const std::string_view key : Keys) {
            text += std::string(key) + " = 4096\r\n";
        }
        text += "; " + Separator + "\r\n";
    }
    return text;
}

// Argument 0 puts the file in the temporary folder on disk, where the flush
// to disk dominates; 1 puts it in /dev/shm, which shows the program's own work.
void settingsCycle(benchmark::State& state) {
    const std::filesystem::path folder =
        state.range(0) == 0 ? std::filesystem::temp_directory_path() : "/dev/shm";
    const auto path = folder / ("drovane_bench_" + std::to_string(::getpid()) + ".ini");
    {
        const std::string text = largeSettingsFile();
        std::ofstream(path, std::ios::binary)
            .write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    std::vector<std::string> names;
    names.reserve(Machines);
    for (int i = 0; i < Machines; ++i) {
        names.push_back(machineName(i));
    }
    drovane::SettingsFile settings;
    int round = 0;
    for (auto _ : state) { // NOLINT(clang-analyzer-deadcode.DeadStores)
        settings.open(path);
        benchmark::DoNotOptimize(settings.readValue("Maschine", "Fanuc10t"));
        benchmark::DoNotOptimize(settings.readValue("Path", "/"));
        benchmark::DoNotOptimize(settings.readValue("Pattern", "*.nc"));
        for (const std::string& name : names) {
            settings.selectGroup(name);
            for (const std::string_view key : Keys) {
                benchmark::DoNotOptimize(settings.readValue(key, ""));
            }
        }
        settings.selectGroup("Maschine500");
        settings.writeValue("Baudrate", ++round % 2 == 0 ? "9600" : "4800");
        if (!settings.close()) {
            state.SkipWithError("the settings file could not be written");
            break;
        }
    }
    state.counters["groups"] = Machines;
    std::filesystem::remove(path);
}

} // namespace

BENCHMARK(settingsCycle)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
