#include "cli/word_path.h"

#include "core/text.h"

namespace drovane {

std::filesystem::path pathFromWord(std::string_view word) {
    return {wideFromWindows1252(windows1252FromUtf8(word))};
}

std::string shownPath(const std::filesystem::path& path) {
    return utf8FromWindows1252(windows1252FromWide(path.native()));
}

} // namespace drovane
