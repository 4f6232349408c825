#pragma once

// What the window shows of a running send: the program line that goes out,
// found from the line of the sent text, and the time still to go at the
// line's rate ("Restzeit 12:34").

#include "serial/serial_types.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace drovane {

class SendFollow {
public:
    // `beginString` comes first on a line of its own when not empty; a send
    // from a line sends `headLines` lines of the head first.
    SendFollow(std::string_view beginString, std::size_t headLines, std::size_t firstLine);

    // The program line (from 0) for the line of the sent text (from 0).
    std::size_t programLine(std::size_t sentLine) const;

private:
    std::size_t beginLines_;
    std::size_t headLines_;
    std::size_t firstLine_;
};

// "Restzeit 12:34", or "Restzeit 1:02:03" past an hour, for the bytes still to
// go at the rate and character frame of the line.
std::string remainingTimeText(std::int64_t bytesLeft, const SerialSettings& settings);

} // namespace drovane
