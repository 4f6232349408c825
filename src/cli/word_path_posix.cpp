#include "cli/word_path.h"

namespace drovane {

std::filesystem::path pathFromWord(std::string_view word) {
    return {std::string(word)};
}

std::string shownPath(const std::filesystem::path& path) {
    return path.string();
}

} // namespace drovane
