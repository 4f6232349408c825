#include "programs/program_file.h"

#include "core/read_regular_file.h"

namespace drovane {

std::optional<std::string> readProgramFile(const std::filesystem::path& path) noexcept {
    std::optional<std::size_t> nulOffset;
    return readProgramFile(path, nulOffset);
}

std::optional<std::string> readProgramFile(const std::filesystem::path& path,
                                           std::optional<std::size_t>& nulOffset) noexcept {
    nulOffset.reset();
    auto bytes = readRegularFile(path);
    if (!bytes) {
        return std::nullopt;
    }
    const auto nul = bytes->find('\0');
    if (nul != std::string::npos) {
        bytes->resize(nul);
        nulOffset = nul;
    }
    return bytes;
}

} // namespace drovane
