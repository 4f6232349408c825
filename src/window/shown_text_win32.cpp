#include "window/shown_text.h"

#include "core/path_text.h"
#include "core/text.h"

namespace drovane {

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

} // namespace drovane
