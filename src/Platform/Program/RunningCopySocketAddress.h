#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>

namespace tessarin {

// The local address of the running copy's socket; none for a path longer than the address holds,
// which `socketPathTooLong` then says in words.
std::optional<sockaddr_un> runningCopySocketAddress(const std::filesystem::path& socketFile);
std::string socketPathTooLong();

// The user at the other end of a connected local socket, as the kernel vouches for it.
std::optional<uid_t> runningCopySocketPeer(int fd);

} // namespace tessarin
