#include "window/directory_style.h"

#include <algorithm>

namespace drovane {

char directorySeparator() {
    return '/';
}

std::string inDirectoryStyle(std::string text) {
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

} // namespace drovane
