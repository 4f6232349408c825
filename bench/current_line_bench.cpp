// What the step marker costs a loop that sets it at every pass, against the
// same loop without it.

#include "core/current_line.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

void BM_StepWithoutMarker(benchmark::State& state) {
    std::uint64_t sum = 0;
    for (auto _ : state) { // NOLINT(clang-analyzer-deadcode.DeadStores)
        for (int step = 0; step < 1000; ++step) {
            sum += static_cast<std::uint64_t>(step);
            benchmark::DoNotOptimize(sum);
        }
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_StepWithoutMarker);

void BM_StepWithMarker(benchmark::State& state) {
    std::uint64_t sum = 0;
    for (auto _ : state) { // NOLINT(clang-analyzer-deadcode.DeadStores)
        for (int step = 0; step < 1000; ++step) {
            drovane::markStep();
            sum += static_cast<std::uint64_t>(step);
            benchmark::DoNotOptimize(sum);
        }
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_StepWithMarker);

} // namespace
