#pragma once

// drovane-dnc as a function of its words, for main and the tests.

#include <ostream>
#include <string>
#include <vector>

namespace drovane {

// `words` without the program's name; the exit code (2 for bad words).
int dncMain(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

} // namespace drovane
