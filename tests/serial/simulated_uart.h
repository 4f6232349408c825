#pragma once

// A UART in simulated time for the run policy: a queue that drains one
// character per character time, a writer that wakes `late` after each
// pause, and XOFFs at random points. What goes out after an XOFF is what the
// queue held when it came.

#include "serial/write_runs.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <random>

namespace drovane {

struct SimulatedUart {
    explicit SimulatedUart(std::int64_t characterNs) : character(characterNs) {}

    void advance(std::int64_t to) {
        while (queued > 0 && headDoneAt <= to) {
            --queued;
            headDoneAt += character;
        }
        now = to;
    }
    void put(std::size_t count) {
        if (queued == 0) {
            headDoneAt = now + character;
        }
        queued += count;
    }

    std::int64_t character;
    std::int64_t now = 0;
    std::int64_t headDoneAt = 0;
    std::size_t queued = 0;
};

struct Outcome {
    double callsPerSecond = 0;
    double lineBusy = 0;
    std::size_t mostAfterXoff = 0;
};

// Sends `total` bytes; the queue's fill at each XOFF point is what the line
// would still send after it.
inline Outcome simulate(std::int32_t baud, std::int64_t lateNs, std::size_t total) {
    const std::int64_t character = 10'000'000'000LL / baud;
    const RunLimits limits = runLimits(character);
    SimulatedUart uart(character);
    std::mt19937 random(baud);
    std::uniform_int_distribution<std::int64_t> gap(0, 40 * character);
    std::int64_t nextXoff = gap(random);
    Outcome outcome;
    std::size_t sent = 0;
    std::int64_t calls = 0;
    while (sent < total) {
        const std::size_t run = runLength(limits, uart.queued, total - sent);
        if (run > 0) {
            uart.put(run);
            sent += run;
            ++calls;
        }
        const auto pause =
            std::chrono::duration_cast<std::chrono::nanoseconds>(pauseForRoom(limits, uart.queued))
                .count();
        const std::int64_t wake = uart.now + pause + lateNs;
        for (; nextXoff < wake; nextXoff += gap(random)) {
            uart.advance(std::max(nextXoff, uart.now));
            outcome.mostAfterXoff = std::max(outcome.mostAfterXoff, uart.queued);
        }
        uart.advance(wake);
    }
    uart.advance(uart.now + static_cast<std::int64_t>(uart.queued) * character);
    const double seconds = static_cast<double>(uart.now) * 1e-9;
    outcome.callsPerSecond = static_cast<double>(calls) / seconds;
    outcome.lineBusy =
        static_cast<double>(total) * static_cast<double>(character) / static_cast<double>(uart.now);
    return outcome;
}

} // namespace drovane
