#pragma once

// A pseudo-terminal as a line's far end: the test holds the master side,
// the line opens the slave by its path.

#include "core/unique_fd.h"
#include "serial/termios/termios_serial_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <string_view>
#include <sys/ioctl.h>
#include <unistd.h>

namespace drovane {

class PtyBackEnd {
public:
    // What the writer had begun, and what a loaded machine lets through
    // before the line has read the XOFF.
    static constexpr std::size_t kMostAfterXoff = 64;

    PtyBackEnd() {
        int master = -1;
        int slave = -1;
        if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
            ADD_FAILURE() << "no pseudo-terminal";
            return;
        }
        master_.reset(master);
        path_ = ::ttyname(slave);
        ::close(slave);
        ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    }

    SerialLine& line() { return line_; }
    TermiosSerialLine& termiosLine() { return line_; }
    const std::string& path() const { return path_; }
    SerialSettings settings(Handshake handshake) const {
        SerialSettings s;
        s.portName = path_;
        s.baudRate = 115200;
        s.handshake = handshake;
        return s;
    }
    void send(std::string_view bytes) const {
        EXPECT_EQ(::write(master_.get(), bytes.data(), bytes.size()),
                  static_cast<ssize_t>(bytes.size()));
    }
    std::string receive(std::size_t count, std::chrono::milliseconds quiet) const {
        std::string got;
        char chunk[4096];
        while (got.size() < count) {
            pollfd entry{master_.get(), POLLIN, 0};
            if (::poll(&entry, 1, static_cast<int>(quiet.count())) <= 0) {
                break;
            }
            const ssize_t n =
                ::read(master_.get(), chunk, std::min(sizeof chunk, count - got.size()));
            if (n <= 0) {
                break;
            }
            got.append(chunk, static_cast<std::size_t>(n));
        }
        return got;
    }
    std::size_t waiting() const {
        int bytes = 0;
        return ::ioctl(master_.get(), FIONREAD, &bytes) == 0 ? static_cast<std::size_t>(bytes) : 0;
    }
    void hangUp() { master_.reset(); }

private:
    UniqueFd master_;
    std::string path_;
    TermiosSerialLine line_;
};

} // namespace drovane
