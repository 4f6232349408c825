#include "window/machine_name.h"

#include "core/text.h"

#include <algorithm>

namespace drovane {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view withoutOuterBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// C0, DEL and C1, the bytes Windows-1252 leaves undefined included.
bool isControl(char byte) {
    const char32_t c = unicodeFromWindows1252(static_cast<unsigned char>(byte));
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

} // namespace

std::optional<std::string> storableMachineName(std::string_view typed) {
    const std::string_view name = withoutOuterBlanks(typed);
    if (name.empty() || name.find(']') != std::string_view::npos) {
        return std::nullopt;
    }
    // A character Windows-1252 lacks, or broken UTF-8, comes back as "?".
    const std::string bytes = windows1252FromUtf8(name);
    if (utf8FromWindows1252(bytes) != name || std::ranges::any_of(bytes, isControl)) {
        return std::nullopt;
    }
    return std::string(name);
}

} // namespace drovane
