#include "core/file_system_names.h"
#include "core/path_text.h"
#include "core/text.h"
#include "programs/program_file.h"

#include <algorithm>
#include <cstddef>
#include <system_error>

namespace drovane {

std::string saveTargetPath(std::string_view directoryText, std::string_view fileNameText,
                           std::string_view patternText) {
    std::string path;
    path.reserve(directoryText.size() + fileNameText.size() + patternText.size() + 1);
    path.append(directoryText).append(fileNameText);
    const char separator = directoryText.empty() || directoryText.back() != '\\' ? '/' : '\\';
    std::replace(path.begin() + static_cast<std::ptrdiff_t>(directoryText.size()), path.end(), '\\',
                 separator);
    if (extension(path).empty()) {
        path.append(".").append(extension(patternText));
    }
    return path;
}

bool isValidFileName(std::string_view name) {
    static constexpr std::string_view forbidden = "\"\\/:*?<>|";
    if (name.empty()) {
        return false;
    }
    for (const char character : name) {
        if (static_cast<unsigned char>(character) < 32 ||
            forbidden.find(character) != std::string_view::npos) {
            return false;
        }
    }
    return true;
}

bool isSavableTarget(std::string_view targetPathText) {
    return isValidFileName(filePart(targetPathText)) &&
           fileSystemTakesName(pathFromText(targetPathText));
}

bool fileExists(const std::filesystem::path& path) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(path, error);
    return std::filesystem::exists(status) && !std::filesystem::is_directory(path, error);
}

SaveTarget inspectSaveTarget(std::string_view directoryText, std::string_view fileNameText,
                             std::string_view patternText) {
    if (fileNameText.empty()) {
        return {};
    }
    SaveTarget target;
    target.path = saveTargetPath(directoryText, fileNameText, patternText);
    if (!isSavableTarget(target.path)) {
        target.state = SaveTargetState::InvalidName;
    } else if (fileExists(pathFromText(target.path))) {
        target.state = SaveTargetState::ExistingFile;
    } else {
        target.state = SaveTargetState::NoFile;
    }
    return target;
}

} // namespace drovane
