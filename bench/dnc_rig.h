#pragma once

// What the service's benchmarks share: 64 machines on pseudo-terminals
// played by this process at line rate (11,520 bytes/s each at 115200 baud),
// the two settings files, drovane-dnc started beside it, and its CPU time.

#include "bench_pty.h"

#include <array>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <spawn.h>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace drovane::bench {

using Clock = std::chrono::steady_clock;

inline constexpr int kMachines = 64;
inline constexpr int kBytesPerTick = 115; // 11,520 bytes/s in ticks of 10 ms
inline constexpr std::chrono::milliseconds kTick(10);

inline std::string contentOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// utime + stime of `pid` in seconds.
inline double cpuSeconds(pid_t pid) {
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

inline bool waitFor(const std::function<bool()>& done, std::chrono::seconds limit,
                    std::chrono::milliseconds step = std::chrono::milliseconds(20)) {
    const auto end = Clock::now() + limit;
    while (!done()) {
        if (Clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(step);
    }
    return true;
}

inline std::string program(std::size_t bytes) {
    std::string text = "%\r\nO4711\r\n";
    for (int line = 1; text.size() < bytes; ++line) {
        text += "N" + std::to_string(line) + " G1 X" + std::to_string(line % 100) + " F500\r\n";
    }
    return text + "M30\r\n%\r\n";
}

// drovane.ini with machine M<n> on pseudo-terminal n, drovane-dnc.ini with
// `serviceKeys` on top and each machine's receive folder plus `machineKeys`.
inline void writeSettings(const std::filesystem::path& folder, const std::vector<Pty>& ptys,
                          const std::string& serviceKeys, const std::string& machineKeys) {
    std::string settings = "Pattern = *.nc\r\n";
    std::string service = serviceKeys;
    for (std::size_t at = 0; at < ptys.size(); ++at) {
        ::fcntl(ptys[at].master.get(), F_SETFD, FD_CLOEXEC);
        ::fcntl(ptys[at].slave.get(), F_SETFD, FD_CLOEXEC);
        const std::string name = "M" + std::to_string(at + 1);
        std::filesystem::create_directories(folder / ("in" + name));
        settings += "[" + name + "]\r\nBaudrate = 115200\r\nCOM-Nummer = " + ptys[at].path + "\r\n";
        service += "[" + name + "]\r\nEmpfangsordner = " + (folder / ("in" + name)).string() +
                   "\r\n" + machineKeys;
    }
    std::ofstream(folder / "drovane.ini", std::ios::binary) << settings;
    std::ofstream(folder / "drovane-dnc.ini", std::ios::binary) << service;
}

// `drovane-dnc run` on the folder's two files, its output in dnc.log there;
// -1 when it did not start.
inline pid_t startService(const std::filesystem::path& folder) {
    const std::filesystem::path log = folder / "dnc.log";
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
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Every machine punches `text` at once, at line rate.
inline void punchAtLineRate(const std::vector<Pty>& ptys, const std::string& text) {
    auto next = Clock::now();
    for (std::size_t sent = 0; sent < text.size(); sent += kBytesPerTick) {
        const std::string piece = text.substr(sent, kBytesPerTick);
        for (const Pty& pty : ptys) {
            static_cast<void>(::write(pty.master.get(), piece.data(), piece.size()));
        }
        next += kTick;
        std::this_thread::sleep_until(next);
    }
}

} // namespace drovane::bench
