#include "serial/network/com_port_session.h"

namespace drovane {

void ComPortSession::receive(const char* bytes, std::size_t count, std::string& data,
                             std::string& replies) {
    if (!telnet_) {
        data.append(bytes, count);
        return;
    }
    events_.clear();
    decoder_.feed(reinterpret_cast<const unsigned char*>(bytes), count, data, events_);
    for (const telnet::TelnetEvent& event : events_) {
        if (event.kind != telnet::TelnetEvent::Kind::Negotiation) {
            state_.apply(event.command, event.value);
        } else if (const auto reply = options_.answer(event.verb, event.option)) {
            replies += *reply;
        }
    }
}

} // namespace drovane
