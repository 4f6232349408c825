#include "shell/settings_access.h"

#include "core/text.h"
#include "shell/qt_text.h"

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// Interim reader and writer of the top level until the settings file layer is
// merged; it keeps every other line as it is.
namespace drovane {
namespace {

std::vector<std::string> readLines(const QString& path) {
    std::ifstream in(localPathBytes(path), std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

// Index of the key's line in the top level, or -1.
long findKey(const std::vector<std::string>& lines, const std::string& key) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string text = trimmed(lines[i]);
        if (!text.empty() && text.front() == '[') {
            return -1;
        }
        const auto equals = lines[i].find('=');
        if (equals != std::string::npos && trimmed(lines[i].substr(0, equals)) == key) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

} // namespace

QString readTopLevelSetting(const QString& settingsPath, const QString& key,
                            const QString& fallback) {
    const auto lines = readLines(settingsPath);
    const long at = findKey(lines, windows1252FromQString(key));
    if (at < 0) {
        return fallback;
    }
    const std::string& line = lines[static_cast<std::size_t>(at)];
    return qStringFromWindows1252(trimmed(line.substr(line.find('=') + 1)));
}

void writeTopLevelSetting(const QString& settingsPath, const QString& key, const QString& value) {
    auto lines = readLines(settingsPath);
    const std::string keyBytes = windows1252FromQString(key);
    const std::string line = keyBytes + "=" + windows1252FromQString(value);
    const long at = findKey(lines, keyBytes);
    if (at >= 0) {
        lines[static_cast<std::size_t>(at)] = line;
    } else {
        std::size_t end = 0;
        while (end < lines.size() && trimmed(lines[end]).rfind('[', 0) != 0) {
            ++end;
        }
        lines.insert(lines.begin() + static_cast<long>(end), line);
    }
    std::ofstream out(localPathBytes(settingsPath), std::ios::binary | std::ios::trunc);
    for (const std::string& text : lines) {
        out << text << "\r\n";
    }
}

bool boldFontChosen(const QString& settingsPath) {
    const QString value =
        readTopLevelSetting(settingsPath, QStringLiteral("BoldFont"), QStringLiteral("0"));
    return parseNumber(windows1252FromQString(value)) == 1;
}

} // namespace drovane
