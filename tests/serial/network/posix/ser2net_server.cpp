#include "ser2net_server.h"

#include "core/unique_fd.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace drovane::testing {

namespace {

bool accepts(int port) {
    const UniqueFd fd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return ::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
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
    while (!(accepts(rfc2217Port_) && accepts(rawPort_))) {
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
