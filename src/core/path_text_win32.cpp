#include "core/path_text.h"

#include "core/text.h"

namespace drovane {

std::filesystem::path pathFromWindows1252(std::string_view bytes) {
    return {wideFromWindows1252(bytes)};
}

std::string windows1252FromPath(const std::filesystem::path& path) {
    return windows1252FromWide(path.native());
}

std::filesystem::path pathFromText(std::string_view text) {
    return pathFromWindows1252(text);
}

std::string textFromPath(const std::filesystem::path& path) {
    return windows1252FromPath(path);
}

} // namespace drovane
