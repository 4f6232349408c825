#pragma once

// One thing that happened on a virtual line, as its far end saw it.

#include <cstdint>

namespace drovane {

struct LineEvent {
    enum class Kind : std::uint8_t {
        Opened,
        Closed,
        ToFarEnd,   // a byte reached the far end
        FromFarEnd, // the far end sent a byte
        Dtr,        // lines of the near end ...
        Rts,
        Break,
        Dsr, // ... and of the far end
        Cts,
        Ring,
        Rlsd,
    };
    Kind kind = Kind::Opened;
    int value = 0; // the byte, or 1/0 for a line on/off

    bool operator==(const LineEvent&) const = default;
};

} // namespace drovane
