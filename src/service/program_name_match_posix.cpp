#include "service/program_name_match.h"

namespace drovane {

bool isSameProgramName(std::string_view listed, std::string_view wanted) {
    return listed == wanted;
}

} // namespace drovane
