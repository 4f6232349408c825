#include "window/list_location.h"

#include "window/directory_style.h"
#include "window/utf8_path.h"

namespace drovane {

ListLocation applyLocationText(const ListLocation& current, std::string_view text) {
    const auto separator = text.find_last_of("\\/");
    ListLocation next = current;
    if (text.empty()) {
        next.directory.clear();
    } else if (separator == std::string_view::npos) {
        next.pattern = text;
    } else if (separator + 1 == text.size()) {
        next.directory = normalizedDirectory(text);
    } else {
        next.directory = normalizedDirectory(text.substr(0, separator + 1));
        next.pattern = text.substr(separator + 1);
    }
    return next;
}

std::string normalizedDirectory(std::string_view directory) {
    if (directory.empty()) {
        return {};
    }
    const std::filesystem::path given = pathFromUtf8(inDirectoryStyle(std::string(directory)));
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(given, error);
    if (error) {
        absolute = given;
    }
    std::string clean = inDirectoryStyle(utf8FromPath(absolute.lexically_normal()));
    if (clean.empty() || clean.back() != directorySeparator()) {
        clean += directorySeparator();
    }
    return clean;
}

std::string parentDirectory(std::string_view directory) {
    if (directory.empty() || pathFromUtf8(directory).relative_path().empty()) {
        return {};
    }
    std::string up(directory);
    if (up.back() != directorySeparator()) {
        up += directorySeparator();
    }
    return normalizedDirectory(up + "..");
}

} // namespace drovane
