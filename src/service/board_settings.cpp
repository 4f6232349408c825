#include "service/board_settings.h"

#include "core/text.h"
#include "profiles/settings_file.h"
#include "service/board_messages.h"
#include "transfer/sentence.h"

#include <algorithm>

namespace drovane {

std::optional<BoardSettings> parseBoardAddress(std::string_view text) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos || colon == 0) {
        return std::nullopt;
    }
    std::string_view host = text.substr(0, colon);
    const std::string_view port = text.substr(colon + 1);
    if (host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
    }
    if (host.empty() || port.empty() || port.size() > 5 ||
        !std::ranges::all_of(port, [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const auto number = parseNumber(port);
    if (number > 65535) {
        return std::nullopt;
    }
    return BoardSettings{std::string(host), static_cast<std::uint16_t>(number), {}};
}

BoardSettingsRead readBoardSettings(const std::filesystem::path& serviceFile) {
    SettingsFile file;
    if (!file.open(serviceFile)) {
        return {};
    }
    file.selectGroup({});
    const std::string address = file.readValue(kBoardAddressKey, kBoardAddressDefault);
    if (address.empty()) {
        return {};
    }
    auto board = parseBoardAddress(address);
    if (!board) {
        return {std::nullopt, fill(board_messages::kBadAddress, utf8FromWindows1252(address))};
    }
    board->key = file.readValue(kBoardKeyKey, "");
    return {std::move(board), {}};
}

} // namespace drovane
