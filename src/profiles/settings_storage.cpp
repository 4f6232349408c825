#include "profiles/settings_storage.h"

#include "core/atomic_file.h"
#include "core/read_regular_file.h"

namespace drovane {

StoredSettings readStoredSettings(const std::filesystem::path& path) {
    auto bytes = readRegularFile(path);
    if (!bytes) {
        return {};
    }
    return {true, std::move(*bytes)};
}

std::optional<std::filesystem::path> replaceableSettingsFile(const std::filesystem::path& path) {
    auto target = replaceableTarget(path);
    if (!target || !takesWrites(*target)) {
        return std::nullopt;
    }
    return target;
}

} // namespace drovane
