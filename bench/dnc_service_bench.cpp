// drovane-dnc with 64 machines on pseudo-terminals, this program playing all
// of them at line rate (11,520 bytes/s each, 115200 baud): the service's CPU
// share while all are idle, while all receive and while all send, its
// resident memory, and the time from a request to its first byte. A plain
// program, not a Google Benchmark: what it measures is another process.
//   bench_dnc_service [seconds per phase]

#include "dnc_rig.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace drovane::bench;

std::string statusField(pid_t pid, const std::string& name) {
    std::istringstream status(contentOf("/proc/" + std::to_string(pid) + "/status"));
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(name + ":")) {
            const std::size_t value = line.find_first_not_of(" \t", name.size() + 1);
            return value == std::string::npos ? "" : line.substr(value);
        }
    }
    return "?";
}

class Phase {
public:
    explicit Phase(pid_t pid) : pid_(pid), cpu_(cpuSeconds(pid)), start_(Clock::now()) {}
    // Per cent of one core since the start.
    double share() const {
        const double wall = std::chrono::duration<double>(Clock::now() - start_).count();
        return 100.0 * (cpuSeconds(pid_) - cpu_) / wall;
    }

private:
    pid_t pid_;
    double cpu_;
    Clock::time_point start_;
};

int count(const std::string& text, const std::string& part) {
    int found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++found;
    }
    return found;
}

} // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const fs::path folder = fs::temp_directory_path() / ("dncbench" + std::to_string(::getpid()));
    fs::create_directories(folder / "out");
    std::vector<Pty> ptys(kMachines);
    for (const Pty& pty : ptys) {
        ::fcntl(pty.master.get(), F_SETFL, O_NONBLOCK);
    }
    writeSettings(folder, ptys, "Journal = " + (folder / "journal.jsonl").string() + "\r\n",
                  "Sendeordner = " + (folder / "out").string() +
                      "\r\nAnfrage_Verzoegerung = 0\r\nRuhezeit = 0\r\n");
    const std::string big = program(static_cast<std::size_t>(11520) * seconds * 2);
    std::ofstream(folder / "out" / "BIG.nc", std::ios::binary) << big;

    const fs::path log = folder / "dnc.log";
    const pid_t pid = startService(folder);
    if (pid < 0) {
        std::fprintf(stderr, "drovane-dnc did not start\n");
        return 1;
    }
    if (!waitFor([&] { return count(contentOf(log), "ffnet (") >= kMachines; },
                 std::chrono::seconds(30))) {
        std::fprintf(stderr, "not all lines opened\n");
        ::kill(pid, SIGTERM);
        return 1;
    }
    std::this_thread::sleep_for(std::chrono::seconds(1));

    const Phase idle(pid);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const double idleShare = idle.share();

    // All 64 punch at once, at line rate.
    const std::string punch = program(static_cast<std::size_t>(11520) * seconds);
    const Phase receiving(pid);
    punchAtLineRate(ptys, punch);
    const double receiveShare = receiving.share();
    for (const Pty& pty : ptys) {
        static_cast<void>(::write(pty.master.get(), "\x04", 1));
    }
    const std::string rss = statusField(pid, "VmHWM");
    waitFor([&] { return count(contentOf(log), "gespeichert als") >= kMachines; },
            std::chrono::seconds(30));

    // All 64 request the big program; each takes it at line rate.
    const std::string request = "O9999\r\n(PRG=BIG)\r\n%\r\n\x04";
    std::vector<double> firstByte(kMachines, -1);
    std::vector<std::size_t> got(kMachines, 0);
    const auto asked = Clock::now();
    for (const Pty& pty : ptys) {
        static_cast<void>(::write(pty.master.get(), request.data(), request.size()));
    }
    std::optional<Phase> sending;
    std::array<char, kBytesPerTick> chunk{};
    auto next = Clock::now();
    const auto end = asked + std::chrono::seconds(seconds * 4);
    while (Clock::now() < end &&
           std::ranges::any_of(got, [&](std::size_t bytes) { return bytes < big.size(); })) {
        for (int at = 0; at < kMachines; ++at) {
            const ssize_t read = ::read(ptys[at].master.get(), chunk.data(), chunk.size());
            if (read > 0) {
                if (got[at] == 0) {
                    firstByte[at] =
                        std::chrono::duration<double, std::milli>(Clock::now() - asked).count();
                }
                got[at] += static_cast<std::size_t>(read);
            }
        }
        if (!sending && std::ranges::all_of(got, [](std::size_t bytes) { return bytes > 0; })) {
            sending.emplace(pid);
        }
        next += kTick;
        std::this_thread::sleep_until(next);
    }
    const double sendShare = sending ? sending->share() : -1;
    const std::string rssAfter = statusField(pid, "VmHWM");

    ::kill(pid, SIGTERM);
    const auto stopAsked = Clock::now();
    int status = 0;
    ::waitpid(pid, &status, 0);
    const double stopSeconds = std::chrono::duration<double>(Clock::now() - stopAsked).count();

    std::ranges::sort(firstByte);
    std::printf("machines %d, %d s per phase, line rate 11520 bytes/s each\n", kMachines, seconds);
    std::printf("CPU idle            %.2f %% of one core\n", idleShare);
    std::printf("CPU all receive     %.2f %% of one core\n", receiveShare);
    std::printf("CPU all send        %.2f %% of one core\n", sendShare);
    std::printf("resident peak       %s after receiving, %s after sending\n", rss.c_str(),
                rssAfter.c_str());
    std::printf("request→first byte  min %.1f ms, median %.1f ms, max %.1f ms\n", firstByte.front(),
                firstByte[kMachines / 2], firstByte.back());
    std::printf("stop after SIGTERM  %.2f s, exit %d\n", stopSeconds,
                WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    fs::remove_all(folder);
    return 0;
}
