#include "transfer/huge_pages.h"

#include <cstdint>
#include <sys/mman.h>

namespace drovane {

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
