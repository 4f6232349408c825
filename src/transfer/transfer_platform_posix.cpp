// What the jobs do differently by platform.

#include "transfer/guarded_run.h"
#include "transfer/huge_pages.h"

#include "core/alternate_signal_stack.h"

#include <cstdint>
#include <sys/mman.h>

namespace drovane {

// Signal stacks are per thread: without its own, a job that runs out of stack
// would die silently instead of being reported.
void runGuarded(const std::function<void()>& body) {
    const AlternateSignalStack signalStack;
    body();
}

void adviseHugePages([[maybe_unused]] std::string& buffer) {
#if defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t hugePage = std::uintptr_t{2} << 20U;
    const auto begin = reinterpret_cast<std::uintptr_t>(buffer.data());
    const std::uintptr_t end = begin + buffer.capacity();
    const std::uintptr_t first = (begin + hugePage - 1) & ~(hugePage - 1);
    const std::uintptr_t last = end & ~(hugePage - 1);
    if (first < last) {
        // NOLINTNEXTLINE(performance-no-int-to-ptr): the address came from a pointer
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
#endif
}

} // namespace drovane
