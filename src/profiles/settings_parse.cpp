#include "profiles/settings_document.h"

namespace drovane {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view skipBlanks(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && isBlank(text[start])) {
        ++start;
    }
    return text.substr(start);
}

std::string_view trimTrailingBlanks(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && isBlank(text[end - 1])) {
        --end;
    }
    return text.substr(0, end);
}

SettingsEntry entryFromLine(std::string_view line) {
    if (line.front() == ';') {
        line.remove_prefix(1);
        if (line.starts_with(' ')) {
            line.remove_prefix(1);
        }
        return {EntryKind::Comment, std::string(line), {}};
    }
    if (line.front() == '[') {
        line.remove_prefix(1);
        return {EntryKind::Header, std::string(line.substr(0, line.find(']'))), {}};
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return {EntryKind::Key, std::string(trimTrailingBlanks(line)), {}};
    }
    return {EntryKind::Key, std::string(trimTrailingBlanks(line.substr(0, equals))),
            std::string(skipBlanks(line.substr(equals + 1)))};
}

} // namespace

SettingsDocument parseSettings(std::string_view bytes) {
    SettingsDocument document;
    if (bytes.starts_with(ByteOrderMark)) {
        document.utf8 = true;
        bytes.remove_prefix(ByteOrderMark.size());
    }
    while (!bytes.empty()) {
        const std::size_t end = bytes.find_first_of("\r\n");
        // Lines of blanks only count as blank lines: they vanish like empty ones.
        const std::string_view line = skipBlanks(bytes.substr(0, end));
        if (!line.empty()) {
            document.entries.push_back(entryFromLine(line));
        }
        if (end == std::string_view::npos) {
            break;
        }
        bytes.remove_prefix(end + 1);
    }
    return document;
}

} // namespace drovane
