#include "ser2net_server.h"

#include "core/unique_fd.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <netinet/in.h>
#include <spawn.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace drovane::testing {

namespace {

// The states of the sockets on 127.0.0.1:`port` (hex codes of
// /proc/net/tcp: "0A" listening, "01" established, ...). Read rather than
// probed: a probe connection would make ser2net open the device, and a
// connection right after it could find the device still busy.
std::vector<std::string> socketStates(int port) {
    char local[32];
    std::snprintf(local, sizeof local, "0100007F:%04X", port);
    std::ifstream table("/proc/net/tcp");
    std::vector<std::string> states;
    std::string line;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string slot, localAddress, remoteAddress, state;
        fields >> slot >> localAddress >> remoteAddress >> state;
        if (localAddress == local) {
            states.push_back(state);
        }
    }
    return states;
}

bool listens(int port) {
    const auto states = socketStates(port);
    return std::find(states.begin(), states.end(), "0A") != states.end();
}

// Ends the process; one that ignores `signal` for five seconds is killed.
void reap(pid_t pid, int signal) {
    ::kill(pid, signal);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= until) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

} // namespace

int freeLocalPort() {
    const UniqueFd fd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return 0;
    }
    return ntohs(address.sin_port);
}

Ser2netServer::Ser2netServer(const std::string& devicePath)
    : folder_(std::filesystem::temp_directory_path() /
              ("ser2net_" + std::to_string(::getpid()) + "_" +
               std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()))) {
    std::filesystem::create_directories(folder_);
    // Two fresh ports; another program taking one in between makes
    // ser2net fail to start, which the wait below sees.
    rfc2217Port_ = freeLocalPort();
    rawPort_ = freeLocalPort();
    while (rawPort_ == rfc2217Port_) {
        rawPort_ = freeLocalPort();
    }
    const std::string connector = "  connector: serialdev," + devicePath + ",9600n81,local\n";
    std::ofstream(folder_ / "ser2net.yaml")
        << "%YAML 1.1\n---\n"
        << "connection: &rfc2217\n  accepter: telnet(rfc2217),tcp,127.0.0.1," << rfc2217Port_
        << "\n"
        << connector << "connection: &raw\n  accepter: tcp,127.0.0.1," << rawPort_ << "\n"
        << connector;
    const std::string config = (folder_ / "ser2net.yaml").string();
    const std::string pidFile = (folder_ / "ser2net.pid").string();
    const std::string logFile = (folder_ / "ser2net.log").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::string program = "ser2net";
    std::string c = "-c";
    std::string n = "-n";
    std::string d = "-d";
    std::string p = "-P";
    std::string configCopy = config;
    std::string pidCopy = pidFile;
    char* argv[] = {program.data(), c.data(), configCopy.data(), n.data(),
                    d.data(),       p.data(), pidCopy.data(),    nullptr};
    pid_t pid = -1;
    const int spawned = ::posix_spawnp(&pid, "ser2net", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return;
    }
    pid_ = pid;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!(listens(rfc2217Port_) && listens(rawPort_))) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_ ||
            std::chrono::steady_clock::now() >= until) {
            if (::waitpid(pid_, &status, WNOHANG) == 0) {
                reap(pid_, SIGKILL);
            }
            pid_ = -1;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

Ser2netServer::~Ser2netServer() {
    if (pid_ > 0) {
        reap(pid_, SIGTERM);
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

bool Ser2netServer::waitUntilIdle() const {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
        // Anything but listening and TIME_WAIT (which outlives the connection).
        const auto busy = [](int port) {
            const auto states = socketStates(port);
            return std::any_of(states.begin(), states.end(), [](const std::string& state) {
                return state != "0A" && state != "06";
            });
        };
        if (!busy(rfc2217Port_) && !busy(rawPort_)) {
            // The connection is gone; give ser2net a moment to close the device.
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            return true;
        }
        if (std::chrono::steady_clock::now() >= until) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void Ser2netServer::kill() {
    if (pid_ > 0) {
        reap(pid_, SIGKILL);
        pid_ = -1;
    }
}

std::string Ser2netServer::rfc2217Name() const {
    return "rfc2217://127.0.0.1:" + std::to_string(rfc2217Port_);
}

std::string Ser2netServer::socketName() const {
    return "socket://127.0.0.1:" + std::to_string(rawPort_);
}

std::string Ser2netServer::log() const {
    std::ifstream in(folder_ / "ser2net.log", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace drovane::testing
