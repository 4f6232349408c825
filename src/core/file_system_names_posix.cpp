#include "core/file_system_names.h"

#include "core/atomic_file.h"

#include <climits>

namespace drovane {

// NAME_MAX counts bytes of one component on every Linux file system in use.
bool fileSystemTakesName(const std::filesystem::path& target) {
    const std::size_t nameBytes = target.filename().native().size();
    const std::size_t pathBytes = target.native().size();
    return nameBytes + TemporarySuffixLength <= NAME_MAX &&
           pathBytes + TemporarySuffixLength < PATH_MAX;
}

} // namespace drovane
