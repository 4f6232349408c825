#include "service/status_channel.h"

#include "core/unique_fd.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace drovane {
namespace {

namespace fs = std::filesystem;

bool fromRuntime() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime != nullptr && *runtime != 0;
}

fs::path intendedFolder() {
    return fromRuntime() ? fs::path(std::getenv("XDG_RUNTIME_DIR"))
                         : fs::temp_directory_path() / ("drovane-" + std::to_string(::getuid()));
}

// A folder only the user can enter, so no one else reaches the socket; a
// fallback folder that someone else made first, or left open, is not used.
fs::path channelFolder() {
    fs::path folder = intendedFolder();
    if (fromRuntime()) {
        return folder;
    }
    ::mkdir(folder.c_str(), 0700);
    struct stat found {};
    if (::lstat(folder.c_str(), &found) != 0 || !S_ISDIR(found.st_mode) ||
        found.st_uid != ::getuid() || (found.st_mode & 077) != 0) {
        return {};
    }
    return folder;
}

// Empty when there is no private folder for it.
fs::path channelPath() {
    const fs::path folder = channelFolder();
    return folder.empty() ? fs::path() : folder / "drovane-dnc.sock";
}

std::optional<sockaddr_un> addressOf(const fs::path& path) {
    if (path.empty()) {
        return std::nullopt;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string text = path.string();
    if (text.size() >= sizeof(address.sun_path)) {
        return std::nullopt;
    }
    std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
    return address;
}

void writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::send(fd, text.data(), text.size(), MSG_NOSIGNAL);
        if (written <= 0) {
            return;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

class SocketChannel final : public StatusChannel {
public:
    SocketChannel(UniqueFd socket, fs::path path, std::function<std::string()> answer)
        : socket_(std::move(socket)), path_(std::move(path)), answer_(std::move(answer)),
          thread_([this](const std::stop_token& stop) { serve(stop); }) {}
    ~SocketChannel() override {
        thread_.request_stop();
        thread_.join();
        ::unlink(path_.c_str());
    }
    SocketChannel(const SocketChannel&) = delete;
    SocketChannel& operator=(const SocketChannel&) = delete;
    SocketChannel(SocketChannel&&) = delete;
    SocketChannel& operator=(SocketChannel&&) = delete;

private:
    // The poll's limit bounds how late the stop is seen; nothing else waits.
    void serve(const std::stop_token& stop) {
        while (!stop.stop_requested()) {
            pollfd waiting{socket_.get(), POLLIN, 0};
            if (::poll(&waiting, 1, 200) <= 0) {
                continue;
            }
            const UniqueFd client(::accept4(socket_.get(), nullptr, nullptr, SOCK_CLOEXEC));
            if (client.get() >= 0) {
                writeAll(client.get(), answer_());
            }
        }
    }

    UniqueFd socket_;
    fs::path path_;
    std::function<std::string()> answer_;
    std::jthread thread_;
};

} // namespace

std::unique_ptr<StatusChannel> StatusChannel::listen(std::function<std::string()> answer) {
    const fs::path path = channelPath();
    const auto address = addressOf(path);
    if (!address) {
        return nullptr;
    }
    UniqueFd socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (socket.get() < 0) {
        return nullptr;
    }
    ::unlink(path.c_str());
    const mode_t before = ::umask(0077);
    const int bound =
        ::bind(socket.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof(*address));
    ::umask(before);
    if (bound != 0 || ::listen(socket.get(), 8) != 0) {
        return nullptr;
    }
    return std::make_unique<SocketChannel>(std::move(socket), path, std::move(answer));
}

std::optional<std::string> askStatus() {
    const auto address = addressOf(channelPath());
    const UniqueFd socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!address || socket.get() < 0 ||
        ::connect(socket.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof(*address)) !=
            0) {
        return std::nullopt;
    }
    std::string text;
    std::array<char, 4096> buffer{};
    for (;;) {
        const ssize_t got = ::read(socket.get(), buffer.data(), buffer.size());
        if (got <= 0) {
            break;
        }
        text.append(buffer.data(), static_cast<std::size_t>(got));
    }
    return text;
}

std::string statusChannelName() {
    return (intendedFolder() / "drovane-dnc.sock").string();
}

} // namespace drovane
