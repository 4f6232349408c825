#include "window/send_follow.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace drovane {

SendFollow::SendFollow(std::string_view beginString, std::size_t headLines, std::size_t firstLine)
    : beginLines_(beginString.empty()
                      ? 0
                      : 1 + static_cast<std::size_t>(std::ranges::count(beginString, '\n'))),
      headLines_(headLines), firstLine_(firstLine) {}

std::size_t SendFollow::programLine(std::size_t sentLine) const {
    const std::size_t line = sentLine > beginLines_ ? sentLine - beginLines_ : 0;
    if (line < headLines_ || firstLine_ <= 1) {
        return line;
    }
    return firstLine_ - 1 + (line - headLines_);
}

std::string remainingTimeText(std::int64_t bytesLeft, const SerialSettings& settings) {
    const double parityBits = settings.parity == 0 ? 0.0 : 1.0;
    const double frameBits = 1.0 + settings.dataBits + parityBits + settings.stopBits;
    const double rate = std::max(1, settings.baudRate);
    const auto seconds = static_cast<long long>(
        std::ceil(static_cast<double>(std::max<std::int64_t>(0, bytesLeft)) * frameBits / rate));
    char text[48];
    if (seconds >= 3600) {
        std::snprintf(text, sizeof text, "Restzeit %lld:%02lld:%02lld", seconds / 3600,
                      seconds / 60 % 60, seconds % 60);
    } else {
        std::snprintf(text, sizeof text, "Restzeit %lld:%02lld", seconds / 60, seconds % 60);
    }
    return text;
}

} // namespace drovane
