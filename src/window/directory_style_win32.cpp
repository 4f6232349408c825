#include "window/directory_style.h"

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

} // namespace drovane
