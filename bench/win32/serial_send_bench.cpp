// The send job's per-byte loop through the Windows line against a bare
// WriteFile loop over the same port, in the same run. A plain timing
// program (no Google Benchmark for mingw); run_serial_send_bench.py gives it
// a pseudo-terminal as COM7 under Wine and drains the far end.
//
//   serial_send_bench PORT BYTES ROUNDS

#include "core/text.h"
#include "serial/serial_ports.h"
#include "serial/system_serial_line.h"
#include "serial/win32/comm_handle.h"
#include "serial/win32/comm_timeouts.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include <windows.h>

namespace drovane {
namespace {

using Clock = std::chrono::steady_clock;

// As the send job sets them, with 100 ms per byte.
constexpr SerialTimeouts kSendTimeouts{100, 100, 100, 10, 100};

SerialSettings benchSettings(const std::string& port) {
    SerialSettings settings;
    settings.portName = port;
    settings.baudRate = 115200;
    settings.inputBufferSize = 4096;
    settings.outputBufferSize = 4096;
    return settings;
}

double seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

// Bytes per second, or 0 when a byte did not go out.
double lineLoop(const std::string& port, int bytes) {
    const auto line = makeSystemSerialLine();
    const int id = line->open(benchSettings(port));
    if (id == 0) {
        return 0;
    }
    line->applyTimeouts(id, kSendTimeouts);
    const auto start = Clock::now();
    for (int i = 0; i < bytes; ++i) {
        const auto byte = static_cast<unsigned char>(i & 0x7F);
        if (line->write(id, &byte, 1) != 1) {
            return 0;
        }
    }
    const double rate = bytes / seconds(Clock::now() - start);
    line->drain(id);
    line->close(id);
    return rate;
}

double bareLoop(const std::string& port, int bytes) {
    const CommHandle device(::CreateFileW(wideFromWindows1252(devicePathForPort(port)).c_str(),
                                          GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                          0, nullptr));
    if (!device.valid()) {
        return 0;
    }
    COMMTIMEOUTS timeouts = commTimeouts(kSendTimeouts);
    ::SetCommTimeouts(device.get(), &timeouts);
    const auto start = Clock::now();
    for (int i = 0; i < bytes; ++i) {
        const auto byte = static_cast<unsigned char>(i & 0x7F);
        DWORD written = 0;
        if (::WriteFile(device.get(), &byte, 1, &written, nullptr) == FALSE || written != 1) {
            return 0;
        }
    }
    return bytes / seconds(Clock::now() - start);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace
} // namespace drovane

int main(int argc, char** argv) {
    using namespace drovane;
    const std::string port = argc > 1 ? argv[1] : "COM7";
    const int bytes = argc > 2 ? std::atoi(argv[2]) : 100000;
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 5;
    std::vector<double> line;
    std::vector<double> bare;
    for (int round = 0; round < rounds; ++round) {
        line.push_back(lineLoop(port, bytes));
        bare.push_back(bareLoop(port, bytes));
        std::printf("round %d: line %.0f bytes/s, bare WriteFile %.0f bytes/s\n", round + 1,
                    line.back(), bare.back());
    }
    const double lineRate = median(line);
    const double bareRate = median(bare);
    std::printf("median of %d rounds of %d bytes: line %.0f bytes/s, bare %.0f bytes/s, "
                "ratio %.2f\n",
                rounds, bytes, lineRate, bareRate, bareRate > 0 ? lineRate / bareRate : 0.0);
    return lineRate > 0 && bareRate > 0 ? 0 : 1;
}
