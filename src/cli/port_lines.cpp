#include "cli/port_lines.h"

#include "cli/cli_texts.h"
#include "cli/text_columns.h"
#include "core/text.h"

namespace drovane {
namespace {

std::string orNone(std::string text) {
    return text.empty() ? std::string(cli_text::kNoAlias) : std::move(text);
}

// Paths in UTF-8 on either system (a Windows path keeps UTF-16 inside).
std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

} // namespace

std::vector<std::string> portLines(const std::vector<SerialPortInfo>& ports) {
    std::vector<TextRow> rows;
    rows.reserve(ports.size());
    for (const SerialPortInfo& port : ports) {
        TextRow row{utf8FromWindows1252(port.name), utf8Of(port.devicePath),
                    orNone(utf8Of(port.byIdAlias)), orNone(port.driver)};
        if (!port.friendlyName.empty()) {
            row.push_back(utf8FromWindows1252(port.friendlyName));
        }
        rows.push_back(std::move(row));
    }
    return alignColumns(rows);
}

} // namespace drovane
