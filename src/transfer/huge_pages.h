#pragma once

// A fresh result of many megabytes costs more in page faults than in the work
// itself; huge pages cut the faults by a factor of 512.

#include <string>

namespace drovane {

// Only a hint: where the system declines, the text is built all the same.
void adviseHugePages(std::string& buffer);

} // namespace drovane
