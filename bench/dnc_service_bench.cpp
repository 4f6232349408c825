// drovane-dnc with 64 machines on pseudo-terminals, this program playing all
// of them at line rate (11,520 bytes/s each, 115200 baud): the service's CPU
// share while all are idle, while all receive and while all send, its
// resident memory, and the time from a request to its first byte. A plain
// program, not a Google Benchmark: what it measures is another process.
//   bench_dnc_service [seconds per phase]

#include "bench_pty.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using drovane::bench::Pty;

constexpr int kMachines = 64;
constexpr int kBytesPerTick = 115; // 11,520 bytes/s in ticks of 10 ms
constexpr std::chrono::milliseconds kTick(10);

std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// utime + stime of `pid` in seconds.
double cpuSeconds(pid_t pid) {
    std::istringstream stat(contentOf("/proc/" + std::to_string(pid) + "/stat"));
    std::string field;
    unsigned long long ticks = 0;
    for (int at = 1; at <= 15 && stat >> field; ++at) {
        if (at == 14 || at == 15) {
            ticks += std::stoull(field);
        }
    }
    return static_cast<double>(ticks) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

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

bool waitFor(const std::function<bool()>& done, std::chrono::seconds limit) {
    const auto end = Clock::now() + limit;
    while (!done()) {
        if (Clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

std::string program(std::size_t bytes) {
    std::string text = "%\r\nO4711\r\n";
    for (int line = 1; text.size() < bytes; ++line) {
        text += "N" + std::to_string(line) + " G1 X" + std::to_string(line % 100) + " F500\r\n";
    }
    return text + "M30\r\n%\r\n";
}

} // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const fs::path folder = fs::temp_directory_path() / ("dncbench" + std::to_string(::getpid()));
    fs::create_directories(folder / "out");
    std::vector<Pty> ptys(kMachines);
    std::string settings = "Pattern = *.nc\r\n";
    std::string service = "Journal = " + (folder / "journal.jsonl").string() + "\r\n";
    for (int at = 0; at < kMachines; ++at) {
        ::fcntl(ptys[at].master.get(), F_SETFD, FD_CLOEXEC);
        ::fcntl(ptys[at].slave.get(), F_SETFD, FD_CLOEXEC);
        ::fcntl(ptys[at].master.get(), F_SETFL, O_NONBLOCK);
        const std::string name = "M" + std::to_string(at + 1);
        fs::create_directories(folder / ("in" + name));
        settings += "[" + name + "]\r\nBaudrate = 115200\r\nCOM-Nummer = " + ptys[at].path + "\r\n";
        service += "[" + name + "]\r\nEmpfangsordner = " + (folder / ("in" + name)).string() +
                   "\r\nSendeordner = " + (folder / "out").string() +
                   "\r\nAnfrage_Verzoegerung = 0\r\nRuhezeit = 0\r\n";
    }
    std::ofstream(folder / "drovane.ini", std::ios::binary) << settings;
    std::ofstream(folder / "drovane-dnc.ini", std::ios::binary) << service;
    const std::string big = program(static_cast<std::size_t>(11520) * seconds * 2);
    std::ofstream(folder / "out" / "BIG.nc", std::ios::binary) << big;

    const fs::path log = folder / "dnc.log";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const std::string settingsPath = (folder / "drovane.ini").string();
    const std::string servicePath = (folder / "drovane-dnc.ini").string();
    std::array<const char*, 7> words = {DROVANE_DNC_PATH, "--settings",        settingsPath.c_str(),
                                        "--service",      servicePath.c_str(), "run",
                                        nullptr};
    pid_t pid = -1;
    if (::posix_spawn(&pid, DROVANE_DNC_PATH, &actions, nullptr,
                      const_cast<char* const*>(words.data()), environ) != 0) {
        std::fprintf(stderr, "drovane-dnc did not start\n");
        return 1;
    }
    posix_spawn_file_actions_destroy(&actions);
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
    auto next = Clock::now();
    for (std::size_t sent = 0; sent < punch.size(); sent += kBytesPerTick) {
        const std::string piece = punch.substr(sent, kBytesPerTick);
        for (const Pty& pty : ptys) {
            static_cast<void>(::write(pty.master.get(), piece.data(), piece.size()));
        }
        next += kTick;
        std::this_thread::sleep_until(next);
    }
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
    next = Clock::now();
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
