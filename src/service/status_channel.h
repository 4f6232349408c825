#pragma once

// The local channel `drovane-dnc status` asks the running service through,
// private to the user: a Unix socket in the runtime folder (or a folder of
// the user's own), a named pipe on Windows. Each connection gets the status
// text once.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace drovane {

class StatusChannel {
public:
    // Listens on its own thread and answers each connection with `answer()`;
    // nullptr when the channel cannot be made (the service runs on).
    static std::unique_ptr<StatusChannel> listen(std::function<std::string()> answer);
    virtual ~StatusChannel() = default;
    StatusChannel() = default;
    StatusChannel(const StatusChannel&) = delete;
    StatusChannel& operator=(const StatusChannel&) = delete;
    StatusChannel(StatusChannel&&) = delete;
    StatusChannel& operator=(StatusChannel&&) = delete;
};

// The running service's answer; nullopt when none listens.
std::optional<std::string> askStatus();

// Where the channel lies, for messages.
std::string statusChannelName();

} // namespace drovane
