// The Windows side of the pseudo-terminal checks: opens a COM port with the
// Windows line and moves bytes as the transfer jobs do, reporting one line
// per step on standard output for the Linux side, which holds the pty.
//
//   win32_line_probe PORT BAUD DATABITS PARITY STOPBITS HANDSHAKE ACTION [COUNT]
//
// ACTION exchange COUNT: writes bytes 0, 1, 2, ... (mod 256) one per write,
// then reads COUNT bytes and prints them in hex. send COUNT: only writes
// them, then drains and closes. hold COUNT: after a "go"
// line on standard input, sends COUNT bytes as the send job does (a byte
// that comes back unsent is taken again) and counts the held writes. abort:
// after "go", one write without a timeout, ended by an abort. twice: the
// same line opens the port again while it is open.

#include "serial/abort_request.h"
#include "serial/system_serial_line.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace drovane {
namespace {

using Clock = std::chrono::steady_clock;

struct FailureName {
    OpenFailure reason;
    std::string_view name;
};

constexpr std::array<FailureName, 7> kFailureNames{{
    {OpenFailure::None, "None"},
    {OpenFailure::NoSuchPort, "NoSuchPort"},
    {OpenFailure::NotSerial, "NotSerial"},
    {OpenFailure::InUse, "InUse"},
    {OpenFailure::PermissionDenied, "PermissionDenied"},
    {OpenFailure::SettingsRefused, "SettingsRefused"},
    {OpenFailure::DeviceFailed, "DeviceFailed"},
}};

std::string_view failureName(OpenFailure reason) {
    for (const auto& entry : kFailureNames) {
        if (entry.reason == reason) {
            return entry.name;
        }
    }
    return "?";
}

void say(const std::string& line) {
    std::cout << line << std::endl; // the peer waits for each line
}

void awaitGo() {
    std::string line;
    std::getline(std::cin, line);
}

SerialSettings settingsFrom(char** argv) {
    SerialSettings settings;
    settings.portName = argv[1];
    settings.baudRate = std::atoi(argv[2]);
    settings.dataBits = static_cast<std::uint8_t>(std::atoi(argv[3]));
    settings.parity = static_cast<std::uint8_t>(std::atoi(argv[4]));
    settings.stopBits = std::atof(argv[5]);
    settings.handshake = static_cast<Handshake>(std::atoi(argv[6]));
    settings.inputBufferSize = 4096;
    settings.outputBufferSize = 4096;
    return settings;
}

bool send(SerialLine& line, int id, int count) {
    for (int i = 0; i < count; ++i) {
        const auto byte = static_cast<unsigned char>(i & 0xFF);
        if (line.write(id, &byte, 1) != 1) {
            say("write-failed " + std::to_string(i));
            return false;
        }
    }
    say("left " + std::to_string(line.drain(id)));
    return true;
}

int exchange(SerialLine& line, int id, int count) {
    if (!send(line, id, count)) {
        return 1;
    }
    // Up to ten seconds for all of them, however slow the peer.
    line.setTimeouts(id, 0, 10000, 0, 10, 100);
    std::vector<unsigned char> got(static_cast<std::size_t>(count));
    const int read = line.read(id, got.data(), count);
    std::string hex = "got ";
    for (int i = 0; i < read; ++i) {
        std::array<char, 3> digits{};
        std::snprintf(digits.data(), digits.size(), "%02x", got[static_cast<std::size_t>(i)]);
        hex += digits.data();
    }
    say(hex);
    return 0;
}

int hold(SerialLine& line, int id, int count) {
    line.setTimeouts(id, 100, 100, 100, 10, 100); // as a send with 100 ms per byte
    awaitGo();
    int held = 0;
    int failures = 0;
    SerialError seen = SerialError::None;
    for (int i = 0; i < count;) {
        const auto byte = static_cast<unsigned char>((i * 7) & 0xFF);
        if (line.write(id, &byte, 1) == 1) {
            ++i;
            continue;
        }
        const SerialError errors = line.takeErrors(id);
        seen |= errors;
        ++held;
        if (!hasFlag(errors, SerialError::XoffReceived)) {
            ++failures;
        }
    }
    const int left = line.drain(id);
    say("sent " + std::to_string(count) + " held " + std::to_string(held) + " flags " +
        std::to_string(static_cast<unsigned>(seen)) + " failures " + std::to_string(failures) +
        " left " + std::to_string(left));
    return 0;
}

int abortHeldWrite(SerialLine& line, int id) {
    line.setTimeouts(id, 100, 100, 100, 0, 0); // writes never time out
    AbortRequest abort;
    line.watchAbort(&abort);
    awaitGo();
    const auto start = Clock::now();
    std::thread raiser([&abort] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        abort.raise();
    });
    const unsigned char byte = 'A';
    const int wrote = line.write(id, &byte, 1);
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    raiser.join();
    line.watchAbort(nullptr);
    say("wrote " + std::to_string(wrote) + " after " + std::to_string(took.count()));
    return 0;
}

int twice(SerialLine& line, const SerialSettings& settings) {
    const int id = line.open(settings);
    say("second " + std::string(failureName(line.lastOpenFailure())) + " " + std::to_string(id));
    return 0;
}

int run(int argc, char** argv) {
    if (argc < 8) {
        say("usage: PORT BAUD DATABITS PARITY STOPBITS HANDSHAKE ACTION [COUNT]");
        return 64;
    }
    const SerialSettings settings = settingsFrom(argv);
    const std::string_view action = argv[7];
    const int count = argc > 8 ? std::atoi(argv[8]) : 0;
    const auto line = makeSystemSerialLine();
    const int id = line->open(settings);
    if (id == 0) {
        say("open-failed " + std::string(failureName(line->lastOpenFailure())));
        return 2;
    }
    say("open");
    int result = 64;
    if (action == "send") {
        result = send(*line, id, count) ? 0 : 1;
    } else if (action == "exchange") {
        result = exchange(*line, id, count);
    } else if (action == "hold") {
        result = hold(*line, id, count);
    } else if (action == "abort") {
        result = abortHeldWrite(*line, id);
    } else if (action == "twice") {
        result = twice(*line, settings);
    }
    line->close(id);
    say("closed");
    return result;
}

} // namespace
} // namespace drovane

int main(int argc, char** argv) {
    return drovane::run(argc, argv);
}
