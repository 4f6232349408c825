#include "transfer/guarded_run.h"

#include <windows.h>

namespace drovane {

// A structured exception reaches the process's filter from any thread. Only a
// stack overflow leaves the filter too little room to report it: keep as much
// in reserve as the main thread does for it.
void runGuarded(const std::function<void()>& body) {
    ULONG guarantee = 64UL * 1024;
    ::SetThreadStackGuarantee(&guarantee);
    body();
}

} // namespace drovane
