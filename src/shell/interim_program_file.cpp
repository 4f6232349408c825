// Interim program-file operations until the programs layer is merged.

#include "core/atomic_file.h"
#include "core/text.h"
#include "programs/program_file.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace drovane {

std::optional<std::string> readProgramFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        return std::nullopt;
    }
    if (const auto nul = bytes.find('\0'); nul != std::string::npos) {
        bytes.resize(nul);
    }
    return bytes;
}

std::string saveTargetPath(std::string_view directoryText, std::string_view fileNameText,
                           std::string_view patternText) {
    std::string target = std::string(directoryText) + std::string(fileNameText);
    if (extension(target).empty()) {
        target += "." + extension(patternText);
    }
    return target;
}

bool isValidFileName(std::string_view name) {
    if (name.empty()) {
        return false;
    }
    for (const char byte : name) {
        const auto code = static_cast<unsigned char>(byte);
        if (code < 32 || std::string_view("\"\\/:*?<>|").find(byte) != std::string_view::npos) {
            return false;
        }
    }
    return true;
}

bool fileExists(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

bool writeProgramFileAtomically(const std::filesystem::path& path, std::string_view text) {
    return writeFileAtomically(path, text);
}

} // namespace drovane
