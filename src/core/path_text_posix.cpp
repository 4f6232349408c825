#include "core/path_text.h"

#include "core/text.h"

namespace drovane {

std::filesystem::path pathFromWindows1252(std::string_view bytes) {
    return {utf8FromWindows1252(bytes)};
}

std::string windows1252FromPath(const std::filesystem::path& path) {
    return windows1252FromUtf8(path.native());
}

std::filesystem::path pathFromText(std::string_view text) {
    return {std::string(text)};
}

std::string textFromPath(const std::filesystem::path& path) {
    return path.native();
}

} // namespace drovane
