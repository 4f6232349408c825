// How long the port list takes: the window fills its port list with it at
// start-up, so it must stay well below what a user notices.

#include "serial/serial_ports.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ListSerialPortsOfThisMachine(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(drovane::listSerialPorts());
    }
}
BENCHMARK(BM_ListSerialPortsOfThisMachine)->Unit(benchmark::kMicrosecond);

} // namespace
