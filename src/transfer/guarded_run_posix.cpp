#include "transfer/guarded_run.h"

#include "core/alternate_signal_stack.h"

namespace drovane {

// Signal stacks are per thread: without its own, a job that runs out of stack
// would die silently instead of being reported.
void runGuarded(const std::function<void()>& body) {
    const AlternateSignalStack signalStack;
    body();
}

} // namespace drovane
