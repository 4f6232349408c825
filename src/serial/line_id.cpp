#include "serial/line_id.h"

#include <atomic>
#include <limits>

namespace drovane {

int nextLineId() {
    static std::atomic<int> last{0};
    int current = last.load();
    int next = 0;
    do {
        next = current == std::numeric_limits<int>::max() ? 1 : current + 1;
    } while (!last.compare_exchange_weak(current, next));
    return next;
}

} // namespace drovane
