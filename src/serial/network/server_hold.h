#pragma once

// How a write that gave up held is reported when no XOFF reached us. Held
// by the server, it holds the line for its own reasons or for the machine's
// XOFF: only under RTS/CTS does the profile tell which (CTS is reported);
// otherwise it is the full queue it is. The operator is told once a hold.

#include "serial/serial_error.h"
#include "serial/serial_types.h"

#include <cstdint>

namespace drovane {

class ServerHold {
public:
    enum class By : std::uint8_t { Server, Pace, Xoff };

    explicit ServerHold(Handshake handshake) : rtsCts_(handshake == Handshake::RtsCts) {}

    // True when the operator is to be told.
    bool gaveUp(By by);
    // Bytes went out again.
    void released();
    // A full queue (once) and CTS; `suspended` while the server's
    // FLOWCONTROL-SUSPEND lasts.
    SerialError take(bool suspended);

private:
    bool rtsCts_;
    bool byServer_ = false;
    bool told_ = false;
    bool txFull_ = false;
};

} // namespace drovane
