#include "win32/hand_over_message.h"

#include <string_view>

namespace drovane {

std::string handOverText(const COPYDATASTRUCT& data) {
    if (data.lpData == nullptr) {
        return {};
    }
    const std::string_view bytes(static_cast<const char*>(data.lpData), data.cbData);
    return std::string(bytes.substr(0, bytes.find('\0')));
}

std::optional<std::string> handOverFromMessage(UINT message, LPARAM lParam) {
    if (message != WM_COPYDATA || lParam == 0) {
        return std::nullopt;
    }
    return handOverText(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
}

} // namespace drovane
