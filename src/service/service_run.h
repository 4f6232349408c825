#pragma once

// `drovane-dnc run`: serves every machine the plan allows, each on its own
// thread, until a stop request; a reload request reads both files again.

#include <filesystem>
#include <ostream>

namespace drovane {

// The exit code: 0 after a stop, 1 when there is nothing to serve.
int runService(const std::filesystem::path& settingsFile, const std::filesystem::path& serviceFile,
               std::ostream& out);

} // namespace drovane
