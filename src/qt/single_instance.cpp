#include "qt/single_instance.h"

#include "qt/instance_directory.h"
#include "qt/unix_socket.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>

namespace drovane {

InstanceLock::InstanceLock(const std::filesystem::path& directory) {
    if (!preparePrivateDirectory(directory)) {
        return;
    }
    const auto path = directory / "drovane.lock";
    file_.reset(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (file_.valid() && ::flock(file_.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        role_ = Role::Second;
    }
}

std::filesystem::path handOverSocketPath(const std::filesystem::path& directory) {
    return directory / "drovane.sock";
}

HandOverResult sendHandOver(const std::filesystem::path& directory, std::string_view text) {
    UniqueFd socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    const auto address = unixSocketAddress(handOverSocketPath(directory));
    if (!socket.valid() || !address) {
        return HandOverResult::Failed;
    }
    if (::connect(socket.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address) !=
        0) {
        return errno == ENOENT || errno == ECONNREFUSED ? HandOverResult::NoListener
                                                        : HandOverResult::Failed;
    }
    // Only to an instance of our own user.
    if (peerUser(socket.get()) != ::getuid()) {
        return HandOverResult::Failed;
    }
    setSendTimeout(socket.get(), 500);
    std::string message(text);
    message.push_back('\0');
    return sendAll(socket.get(), message) ? HandOverResult::Sent : HandOverResult::Failed;
}

} // namespace drovane
