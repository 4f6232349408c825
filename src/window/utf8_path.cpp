#include "window/utf8_path.h"

namespace drovane {

// char8_t texts are UTF-8 whatever the locale or the Windows code page says.
std::filesystem::path pathFromUtf8(std::string_view text) {
    return {std::u8string(text.begin(), text.end())};
}

std::string utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

} // namespace drovane
