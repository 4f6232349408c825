// What the jobs do differently by platform.

#include "transfer/guarded_run.h"
#include "transfer/huge_pages.h"

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

// Large pages on Windows need the "lock pages in memory" privilege, which an
// operator's account lacks, and a memory block of their own: no hint to give.
void adviseHugePages(std::string& /*buffer*/) {}

} // namespace drovane
