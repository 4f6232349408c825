#include "cli/port_lines.h"

#include "cli/cli_texts.h"
#include "cli/text_columns.h"

namespace drovane {

std::vector<std::string> portLines(const std::vector<SerialPortInfo>& ports) {
    std::vector<TextRow> rows;
    rows.reserve(ports.size());
    for (const SerialPortInfo& port : ports) {
        rows.push_back(
            {port.name, port.devicePath.string(),
             port.byIdAlias.empty() ? std::string(cli_text::kNoAlias) : port.byIdAlias.string(),
             port.driver.empty() ? std::string(cli_text::kNoAlias) : port.driver});
    }
    return alignColumns(rows);
}

} // namespace drovane
