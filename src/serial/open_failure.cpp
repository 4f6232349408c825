#include "serial/open_failure.h"

#include <algorithm>

namespace drovane {

std::string_view openFailureLine(OpenFailure reason) {
    const auto* found =
        std::find_if(kOpenFailureLines.begin(), kOpenFailureLines.end(),
                     [reason](const OpenFailureLine& entry) { return entry.reason == reason; });
    return found != kOpenFailureLines.end() ? found->line : std::string_view();
}

} // namespace drovane
