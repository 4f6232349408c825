#include "core/text.h"

namespace drovane {
namespace {

std::size_t afterLastSeparator(std::string_view path) {
    const auto separator = path.find_last_of("\\/");
    return separator == std::string_view::npos ? 0 : separator + 1;
}

} // namespace

std::string_view unquotedPath(std::string_view path) {
    if (!path.empty() && path.front() == '"') {
        path.remove_prefix(1);
    }
    return path.substr(0, path.find('"'));
}

std::string filePart(std::string_view path) {
    const auto text = unquotedPath(path);
    return std::string(text.substr(afterLastSeparator(text)));
}

std::string directoryPart(std::string_view path) {
    const auto text = unquotedPath(path);
    return std::string(text.substr(0, afterLastSeparator(text)));
}

std::string extension(std::string_view path) {
    const auto text = unquotedPath(path);
    const auto file = text.substr(afterLastSeparator(text));
    const auto dot = file.rfind('.');
    return dot == std::string_view::npos ? std::string() : std::string(file.substr(dot + 1));
}

} // namespace drovane
