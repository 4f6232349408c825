#include "service/program_name_match.h"

#include "window/unicode_case.h"

namespace drovane {

bool isSameProgramName(std::string_view listed, std::string_view wanted) {
    return foldedCase(listed) == foldedCase(wanted);
}

} // namespace drovane
