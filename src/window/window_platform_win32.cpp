// How paths are written and shown on this platform.

#include "window/directory_style.h"
#include "window/folder_chooser_start.h"
#include "window/shown_text.h"

#include "core/path_text.h"
#include "core/text.h"

#include <algorithm>

namespace drovane {

char directorySeparator() {
    return '\\';
}

std::string inDirectoryStyle(std::string text) {
    std::replace(text.begin(), text.end(), '/', '\\');
    if (text.size() >= 2 && text[1] == ':' && text[0] >= 'a' && text[0] <= 'z') {
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    }
    return text;
}

std::string pathTextFromShown(std::string_view utf8) {
    return windows1252FromUtf8(utf8);
}

std::string shownFromPathText(std::string_view pathText) {
    return utf8FromWindows1252(pathText);
}

std::filesystem::path pathFromShown(std::string_view utf8) {
    return pathFromText(pathTextFromShown(utf8));
}

std::string shownFromPath(const std::filesystem::path& path) {
    return utf8FromWindows1252(windows1252FromPath(path));
}

std::string_view folderChooserStart() {
    return "c:\\";
}

} // namespace drovane
