#include "scripted_server.h"

#include <algorithm>
#include <thread>

namespace drovane {

using telnet::TelnetEvent;

std::string serverCommand(telnet::ComPortCommand command, const std::string& value) {
    return telnet::comPortCommand(static_cast<telnet::ComPortCommand>(
                                      static_cast<unsigned char>(command) + telnet::kServerOffset),
                                  value);
}

void ScriptedSocket::answer(const TelnetEvent& event) {
    ServerScript& script = *script_;
    if (event.kind == TelnetEvent::Kind::Negotiation) {
        if (event.option == telnet::kComPort && event.verb == telnet::kWill) {
            script.toPort += telnet::negotiation(script.takesComPort ? telnet::kDo : telnet::kDont,
                                                 telnet::kComPort);
        }
        return;
    }
    script.commands.push_back(event);
    script.toPort += serverCommand(static_cast<telnet::ComPortCommand>(event.command), event.value);
}

SocketTransfer ScriptedSocket::send(const char* data, std::size_t count) {
    ServerScript& script = *script_;
    if (script.reset) {
        return {0, true};
    }
    if (!script.reading) {
        return {0, false};
    }
    std::vector<TelnetEvent> events;
    script.decoder.feed(reinterpret_cast<const unsigned char*>(data), count, script.data, events);
    for (const TelnetEvent& event : events) {
        answer(event);
    }
    return {count, false};
}

SocketTransfer ScriptedSocket::receive(char* target, std::size_t count) {
    ServerScript& script = *script_;
    if (script.reset) {
        return {0, true};
    }
    const std::size_t n = std::min({count, script.readSize, script.toPort.size()});
    std::copy_n(script.toPort.begin(), n, target);
    script.toPort.erase(0, n);
    return {n, false};
}

SocketReadiness ScriptedSocket::wait(bool wantWrite, LineClock::time_point until,
                                     const WakeSignal* /*wake*/) {
    const ServerScript& script = *script_;
    const bool readable = !script.toPort.empty() || script.reset;
    const bool writable = wantWrite && script.reading;
    if (!readable && !writable) {
        std::this_thread::sleep_until(until);
    }
    return {readable, writable};
}

} // namespace drovane
