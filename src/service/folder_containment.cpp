#include "service/folder_containment.h"

#include <algorithm>
#include <system_error>

namespace drovane {

bool liesInside(const std::filesystem::path& path, const std::filesystem::path& folder) {
    std::error_code error;
    const auto real = std::filesystem::weakly_canonical(path, error);
    if (error) {
        return false;
    }
    const auto base = std::filesystem::canonical(folder, error);
    if (error) {
        return false;
    }
    const auto [baseEnd, realAt] =
        std::mismatch(base.begin(), base.end(), real.begin(), real.end());
    return baseEnd == base.end() && realAt != real.end();
}

} // namespace drovane
