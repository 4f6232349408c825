// How paths are written and shown on this platform.

#include "window/directory_style.h"
#include "window/folder_chooser_start.h"
#include "window/shown_text.h"

#include <algorithm>

namespace drovane {

char directorySeparator() {
    return '/';
}

std::string inDirectoryStyle(std::string text) {
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

// Linux file names are UTF-8 bytes already.
std::string pathTextFromShown(std::string_view utf8) {
    return std::string(utf8);
}

std::string shownFromPathText(std::string_view pathText) {
    return std::string(pathText);
}

std::filesystem::path pathFromShown(std::string_view utf8) {
    return {std::string(utf8)};
}

std::string shownFromPath(const std::filesystem::path& path) {
    return path.string();
}

std::string_view folderChooserStart() {
    return "/";
}

} // namespace drovane
