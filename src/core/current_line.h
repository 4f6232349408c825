#pragma once

// The step marker the fatal-error handler shows: the source line of the last
// step any thread reached. Lock-free, so a signal handler may read it.

#include <atomic>
#include <cstdint>
#include <source_location>

namespace drovane {

extern std::atomic<std::int32_t> CurrentLine;
static_assert(std::atomic<std::int32_t>::is_always_lock_free);

// Call at each step: markStep() records the caller's line.
inline void markStep(std::source_location where = std::source_location::current()) {
    CurrentLine.store(static_cast<std::int32_t>(where.line()), std::memory_order_relaxed);
}

} // namespace drovane
