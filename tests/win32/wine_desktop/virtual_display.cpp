#include "virtual_display.h"

#include "core/unique_fd.h"

#include <array>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace drovane::testing {
namespace {

// A loaded machine may take its time to start a server.
constexpr int startLimitMs = 30'000;
constexpr int displayFd = 3;

// Xvfb writes the display number and a newline to -displayfd once it listens.
std::string readDisplayNumber(int fd) {
    std::string number;
    std::array<char, 16> chunk{};
    pollfd watch{fd, POLLIN, 0};
    while (number.find('\n') == std::string::npos && ::poll(&watch, 1, startLimitMs) > 0) {
        const ssize_t n = ::read(fd, chunk.data(), chunk.size());
        if (n <= 0) {
            return {};
        }
        number.append(chunk.data(), static_cast<std::size_t>(n));
    }
    const auto end = number.find('\n');
    return end == std::string::npos ? std::string() : number.substr(0, end);
}

} // namespace

VirtualDisplay::VirtualDisplay(int width, int height) {
    std::array<int, 2> pipe{};
    if (::pipe2(pipe.data(), O_CLOEXEC) != 0) {
        return;
    }
    UniqueFd readEnd(pipe[0]);
    UniqueFd writeEnd(pipe[1]);
    std::vector<std::string> words{
        "Xvfb",      "-displayfd", std::to_string(displayFd),
        "-screen",   "0",          std::to_string(width) + "x" + std::to_string(height) + "x24",
        "-nolisten", "tcp"};
    std::vector<char*> argv;
    argv.reserve(words.size() + 1);
    for (auto& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, writeEnd.get(), displayFd);
    if (::posix_spawnp(&server_, "Xvfb", &actions, nullptr, argv.data(), environ) != 0) {
        server_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    writeEnd.reset();
    if (server_ > 0) {
        const std::string number = readDisplayNumber(readEnd.get());
        name_ = number.empty() ? std::string() : ":" + number;
    }
}

VirtualDisplay::~VirtualDisplay() {
    if (server_ > 0) {
        ::kill(server_, SIGTERM);
        ::waitpid(server_, nullptr, 0);
    }
}

} // namespace drovane::testing
