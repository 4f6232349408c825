#include "window/shown_text.h"

namespace drovane {

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

} // namespace drovane
