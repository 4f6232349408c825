#include "serial/network/server_hold.h"

#include <utility>

namespace drovane {

bool ServerHold::gaveUp(By by) {
    const bool byServer = by == By::Server;
    byServer_ = byServer && rtsCts_;
    txFull_ = by == By::Pace || (byServer && !rtsCts_);
    const bool tell = byServer && !told_;
    told_ = byServer;
    return tell;
}

void ServerHold::released() {
    byServer_ = false;
    told_ = false;
    txFull_ = false;
}

SerialError ServerHold::take(bool suspended) {
    SerialError errors = SerialError::None;
    if (std::exchange(txFull_, false)) {
        errors |= SerialError::TxFull;
    }
    if ((byServer_ || suspended) && rtsCts_) {
        errors |= SerialError::WaitingCTS;
    }
    return errors;
}

} // namespace drovane
