#include "transfer/transmit_text.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

constexpr std::size_t programBytes = std::size_t{100} * 1024 * 1024;

drovane::TransmitOptions everyOption() {
    drovane::TransmitOptions options;
    options.percentFilter = true;
    options.controlFilter = true;
    options.afterLine = ";";
    options.beforeProgram = "%";
    options.afterProgram = "%";
    options.afterEndCode = " (END)";
    return options;
}

// A plausible program: CR LF lines with a TAB and an occasional "%" for the
// filters, and the end codes only at the very end so both searches scan it all.
std::string ncProgram(std::size_t size) {
    std::string text;
    text.reserve(size + 64);
    for (int line = 0; text.size() < size; ++line) {
        text += 'N';
        text += std::to_string(line);
        text += " G01\tX123.456 Y-78.9 Z";
        text += std::to_string(line % 1000);
        text += (line % 50 == 0) ? " F1500%\r\n" : " F1500\r\n";
    }
    text += "M02\r\nM30\r\n";
    return text;
}

void prepareNcProgram(benchmark::State& state) {
    const std::string program = ncProgram(programBytes);
    const drovane::TransmitOptions options = everyOption();
    for ([[maybe_unused]] auto _ : state) {
        std::string sent = drovane::prepareTransmitText(program, options);
        benchmark::DoNotOptimize(sent.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(program.size()));
}
BENCHMARK(prepareNcProgram)->Unit(benchmark::kMillisecond);

// The densest case: every byte a line end, so the result is twice the program.
void prepareOnlyLineEnds(benchmark::State& state) {
    const std::string program(programBytes, '\n');
    const drovane::TransmitOptions options = everyOption();
    for ([[maybe_unused]] auto _ : state) {
        std::string sent = drovane::prepareTransmitText(program, options);
        benchmark::DoNotOptimize(sent.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(program.size()));
}
BENCHMARK(prepareOnlyLineEnds)->Unit(benchmark::kMillisecond);

} // namespace
