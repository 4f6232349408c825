#pragma once

// Debian's ser2net as the device server of a test: started with its own
// configuration in front of a pseudo-terminal's slave, with an RFC 2217
// accepter and a raw one on 127.0.0.1 and free ports, stopped at the end.

#include <filesystem>
#include <string>
#include <sys/types.h>

namespace drovane::testing {

class Ser2netServer {
public:
    // Ready once both ports accept connections; `running()` says whether it
    // came up.
    explicit Ser2netServer(const std::string& devicePath);
    ~Ser2netServer();
    Ser2netServer(const Ser2netServer&) = delete;
    Ser2netServer& operator=(const Ser2netServer&) = delete;
    Ser2netServer(Ser2netServer&&) = delete;
    Ser2netServer& operator=(Ser2netServer&&) = delete;

    bool running() const { return pid_ > 0; }
    std::string rfc2217Name() const;
    std::string socketName() const;
    // Waits until no connection to either port is left, so that the next
    // one finds the device free (ser2net gives one connection the device at
    // a time and turns others away); false after ten seconds.
    bool waitUntilIdle() const;
    // As a power cut or a crash would: SIGKILL, no goodbye on the sockets.
    void kill();
    // What it wrote to its standard output and error.
    std::string log() const;

private:
    std::filesystem::path folder_;
    int rfc2217Port_ = 0;
    int rawPort_ = 0;
    pid_t pid_ = -1;
};

// A TCP port on 127.0.0.1 that nothing listens on right now.
int freeLocalPort();

} // namespace drovane::testing
