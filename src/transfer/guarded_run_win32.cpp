#include "transfer/guarded_run.h"

namespace drovane {

// A structured exception reaches the process's filter from any thread without
// a stack of its own; only a stack overflow would need reserved room
// (SetThreadStackGuarantee), which comes with the Windows fatal-error handler.
void runGuarded(const std::function<void()>& body) {
    body();
}

} // namespace drovane
