#pragma once

// Small helpers over POSIX local sockets.

#include <filesystem>
#include <optional>
#include <string_view>
#include <sys/types.h>
#include <sys/un.h>

namespace drovane {

// Nullopt when the path does not fit into a socket address.
std::optional<sockaddr_un> unixSocketAddress(const std::filesystem::path& path);

// The user at the other end of a connected local socket; -1 when unknown.
uid_t peerUser(int socket);

void setSendTimeout(int socket, int milliseconds);

// False when the other end went away or the timeout ran out.
bool sendAll(int socket, std::string_view bytes);

} // namespace drovane
