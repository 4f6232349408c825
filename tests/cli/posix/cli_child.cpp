#include "cli_child.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace drovane::testing {
namespace {

using Clock = std::chrono::steady_clock;

void drain(int fd, std::string& into) {
    std::array<char, 4096> chunk{};
    for (;;) {
        const ssize_t n = ::read(fd, chunk.data(), chunk.size());
        if (n <= 0) {
            return;
        }
        into.append(chunk.data(), static_cast<std::size_t>(n));
    }
}

} // namespace

CliChild::CliChild(const std::string& program, const std::vector<std::string>& arguments) {
    std::array<int, 2> outPipe{};
    std::array<int, 2> errPipe{};
    if (::pipe2(outPipe.data(), O_CLOEXEC) != 0 || ::pipe2(errPipe.data(), O_CLOEXEC) != 0) {
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
    std::vector<char*> argv;
    std::string name = program;
    argv.push_back(name.data());
    std::vector<std::string> copies = arguments;
    for (std::string& argument : copies) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    if (::posix_spawnp(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    out_.reset(outPipe[0]);
    err_.reset(errPipe[0]);
    ::fcntl(out_.get(), F_SETFL, O_NONBLOCK);
    ::fcntl(err_.get(), F_SETFL, O_NONBLOCK);
}

CliChild::~CliChild() {
    if (pid_ > 0 && status_ < 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

void CliChild::pump(milliseconds limit) {
    std::array<pollfd, 2> fds{{{out_.get(), POLLIN, 0}, {err_.get(), POLLIN, 0}}};
    ::poll(fds.data(), fds.size(), static_cast<int>(limit.count()));
    drain(out_.get(), outText_);
    drain(err_.get(), errText_);
}

bool CliChild::waitForOutput(const std::string& text, milliseconds limit) {
    const auto end = Clock::now() + limit;
    while (outText_.find(text) == std::string::npos) {
        if (Clock::now() >= end) {
            return false;
        }
        pump(milliseconds(20));
    }
    return true;
}

void CliChild::signal(int number) const {
    ::kill(pid_, number);
}

int CliChild::wait(milliseconds limit) {
    if (pid_ <= 0) {
        return -1;
    }
    const auto end = Clock::now() + limit;
    int status = 0;
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
        if (Clock::now() >= end) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
            status_ = 0;
            return -1;
        }
        pump(milliseconds(20));
    }
    pump(milliseconds(0));
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 256;
    return status_ == 256 ? -1 : status_;
}

std::string CliChild::out() {
    drain(out_.get(), outText_);
    return outText_;
}

std::string CliChild::err() {
    drain(err_.get(), errText_);
    return errText_;
}

PtyPeer::PtyPeer() {
    int master = -1;
    int slave = -1;
    if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
        return;
    }
    // A child must not inherit them: a master it holds keeps the line
    // from hanging up when this peer goes.
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave, F_SETFD, FD_CLOEXEC);
    master_.reset(master);
    slave_.reset(slave);
    slavePath_ = ::ttyname(slave);
    // Raw from the start, so that nothing the peer writes early is changed.
    termios raw{};
    ::tcgetattr(slave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slave, TCSANOW, &raw);
    reader_ = std::jthread([this](const std::stop_token& stop) { readLoop(stop); });
}

PtyPeer::~PtyPeer() {
    reader_.request_stop();
    if (reader_.joinable()) {
        reader_.join();
    }
}

void PtyPeer::readLoop(const std::stop_token& stop) {
    std::array<char, 4096> chunk{};
    while (!stop.stop_requested()) {
        pollfd entry{master_.get(), POLLIN, 0};
        if (::poll(&entry, 1, 20) <= 0) {
            continue;
        }
        const ssize_t n = ::read(master_.get(), chunk.data(), chunk.size());
        if (n > 0) {
            const std::scoped_lock lock(mutex_);
            received_.append(chunk.data(), static_cast<std::size_t>(n));
            arrived_.notify_all();
        }
    }
}

void PtyPeer::write(const std::string& bytes) const {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master_.get(), bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            return;
        }
        done += static_cast<std::size_t>(n);
    }
}

std::string PtyPeer::received() const {
    const std::scoped_lock lock(mutex_);
    return received_;
}

bool PtyPeer::waitForBytes(std::size_t count, milliseconds limit) const {
    std::unique_lock lock(mutex_);
    return arrived_.wait_for(lock, limit, [&] { return received_.size() >= count; });
}

} // namespace drovane::testing
