// The send job's inner loop, one byte per write with the input looked at
// before each byte, over a pseudo-terminal, against the cheapest loop that
// can move one byte at a time (poll + write) on the same kind of device.

#include "core/unique_fd.h"
#include "serial/termios/termios_serial_line.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace drovane {
namespace {

// A pseudo-terminal whose master side a thread drains until the slave side
// is gone.
class DrainedPty {
public:
    DrainedPty() {
        int master = -1;
        int slave = -1;
        if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
            return;
        }
        master_.reset(master);
        slave_.reset(slave);
        path_ = ::ttyname(slave);
        drainer_ = std::thread([fd = master] {
            char sink[65536];
            while (::read(fd, sink, sizeof sink) > 0) {
            }
        });
    }
    ~DrainedPty() {
        // The drainer ends once the master side reads EIO: no slave left open.
        slave_.reset();
        if (drainer_.joinable()) {
            drainer_.join();
        }
    }
    DrainedPty(const DrainedPty&) = delete;
    DrainedPty& operator=(const DrainedPty&) = delete;
    DrainedPty(DrainedPty&&) = delete;
    DrainedPty& operator=(DrainedPty&&) = delete;

    bool valid() const { return master_.valid(); }
    const std::string& path() const { return path_; }
    int slave() const { return slave_.get(); }

private:
    UniqueFd master_;
    UniqueFd slave_;
    std::string path_;
    std::thread drainer_;
};

void lineWriteLoop(benchmark::State& state, Handshake handshake) {
    DrainedPty pty;
    TermiosSerialLine line;
    SerialSettings settings;
    settings.portName = pty.path();
    settings.baudRate = 115200;
    settings.handshake = handshake;
    const int id = pty.valid() ? line.open(settings) : 0;
    if (id == 0) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    line.setTimeouts(id, 100, 100, 100, 10, 300); // as the send job sets them
    const char byte = 'G';
    while (state.KeepRunning()) {
        if (line.write(id, &byte, 1) != 1) {
            state.SkipWithError("write failed");
            break;
        }
    }
    line.close(id);
    state.SetBytesProcessed(state.iterations());
}

void BM_LineWriteXonXoff(benchmark::State& state) {
    lineWriteLoop(state, Handshake::XonXoff);
}
BENCHMARK(BM_LineWriteXonXoff)->MinTime(2.0)->UseRealTime();

void BM_LineWriteNoHandshake(benchmark::State& state) {
    lineWriteLoop(state, Handshake::NoHandshake);
}
BENCHMARK(BM_LineWriteNoHandshake)->MinTime(2.0)->UseRealTime();

void BM_BarePollWrite(benchmark::State& state) {
    DrainedPty pty;
    if (!pty.valid()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    termios raw{};
    ::tcgetattr(pty.slave(), &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(pty.slave(), TCSANOW, &raw);
    ::fcntl(pty.slave(), F_SETFL, ::fcntl(pty.slave(), F_GETFL) | O_NONBLOCK);
    const char byte = 'G';
    while (state.KeepRunning()) {
        pollfd entry{pty.slave(), POLLOUT, 0};
        if (::poll(&entry, 1, 1000) != 1 || ::write(pty.slave(), &byte, 1) != 1) {
            state.SkipWithError("write failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations());
}
BENCHMARK(BM_BarePollWrite)->MinTime(2.0)->UseRealTime();

} // namespace
} // namespace drovane
