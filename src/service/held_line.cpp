#include "service/held_line.h"

namespace drovane {

int HeldLine::hold(const SerialSettings& settings) {
    if (id_ != 0) {
        // A job before this one lowered RTS at its end; RTSHANDSHAKE wants it
        // up for as long as the port is open, as after a fresh open.
        if (settings_.handshake == Handshake::RtsHandshake) {
            port_.setSignal(id_, SerialSignal::Rts, 1);
        }
        return id_;
    }
    id_ = port_.open(settings);
    settings_ = settings;
    dead_ = false;
    return id_;
}

void HeldLine::release() {
    if (id_ != 0) {
        port_.close(id_);
        id_ = 0;
    }
}

SerialError HeldLine::takeErrors(int id) {
    const SerialError errors = port_.takeErrors(id);
    if (hasFlag(errors, SerialError::IOE)) {
        dead_ = true;
    }
    return errors;
}

} // namespace drovane
