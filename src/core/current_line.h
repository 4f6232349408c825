#pragma once

// The step marker the fatal-error handler shows: the source line of the last
// step any thread reached. Lock-free, so a signal handler may read it.

#include <atomic>
#include <cstdint>

namespace drovane {

extern std::atomic<std::int32_t> CurrentLine;
static_assert(std::atomic<std::int32_t>::is_always_lock_free);

// Call at each step: markStep() records the caller's line. The builtin rather
// than std::source_location, which clang 14 cannot compile with libstdc++ 12.
inline void markStep(int line = __builtin_LINE()) {
    CurrentLine.store(static_cast<std::int32_t>(line), std::memory_order_relaxed);
}

} // namespace drovane
