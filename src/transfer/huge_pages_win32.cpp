#include "transfer/huge_pages.h"

namespace drovane {

// Large pages on Windows need the "lock pages in memory" privilege, which an
// operator's account lacks, and a memory block of their own: no hint to give.
void adviseHugePages(std::string& /*buffer*/) {}

} // namespace drovane
