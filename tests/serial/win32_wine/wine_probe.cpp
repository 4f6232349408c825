#include "wine_probe.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace drovane {

namespace {

using Clock = std::chrono::steady_clock;

} // namespace

std::string probeExecutable() {
    const char* bin = std::getenv("DROVANE_WINDOWS_BIN");
    return std::string(bin != nullptr ? bin : DROVANE_WINDOWS_BIN) + "/win32_line_probe.exe";
}

WineProbe::WineProbe(const std::vector<std::string>& arguments) {
    std::array<int, 2> in{};
    std::array<int, 2> out{};
    if (::pipe2(in.data(), O_CLOEXEC) != 0 || ::pipe2(out.data(), O_CLOEXEC) != 0) {
        return;
    }
    std::vector<std::string> words{"wine", probeExecutable()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    argv.reserve(words.size() + 1);
    for (auto& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    // The Wine processes a first start leaves running would keep the test's
    // own standard error open, and with it whatever reads the test's output.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    if (::posix_spawnp(&pid_, "wine", &actions, nullptr, argv.data(), environ) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    toProbe_ = in[1];
    fromProbe_ = out[0];
}

WineProbe::~WineProbe() {
    finish(std::chrono::milliseconds(0));
    ::close(toProbe_);
    ::close(fromProbe_);
}

std::optional<std::string> WineProbe::readLine(std::chrono::milliseconds limit) {
    const auto until = Clock::now() + limit;
    for (;;) {
        if (const auto end = buffered_.find('\n'); end != std::string::npos) {
            std::string line = buffered_.substr(0, end);
            buffered_.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            return line;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
        pollfd entry{fromProbe_, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&entry, 1, static_cast<int>(left.count())) <= 0) {
            return std::nullopt;
        }
        std::array<char, 4096> chunk{};
        const ssize_t got = ::read(fromProbe_, chunk.data(), chunk.size());
        if (got <= 0) {
            return std::nullopt;
        }
        buffered_.append(chunk.data(), static_cast<std::size_t>(got));
    }
}

void WineProbe::sendLine(const std::string& line) const {
    const std::string text = line + "\n";
    [[maybe_unused]] const ssize_t put = ::write(toProbe_, text.data(), text.size());
}

std::optional<int> WineProbe::finish(std::chrono::milliseconds limit) {
    if (pid_ <= 0) {
        return std::nullopt;
    }
    const auto until = Clock::now() + limit;
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            pid_ = -1;
            return WIFEXITED(status) ? std::optional<int>(WEXITSTATUS(status)) : std::nullopt;
        }
        if (Clock::now() >= until) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
            pid_ = -1;
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

} // namespace drovane
