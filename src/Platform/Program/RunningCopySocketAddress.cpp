#include "Platform/Program/RunningCopySocketAddress.h"

#include <cstring>

namespace tessarin {

std::optional<sockaddr_un> runningCopySocketAddress(const std::filesystem::path& socketFile) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string& path = socketFile.native();
    if (path.size() >= sizeof(address.sun_path)) {
        return std::nullopt;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return address;
}

std::string socketPathTooLong() {
    return "the socket path is longer than " + std::to_string(sizeof(sockaddr_un::sun_path) - 1) +
           " bytes";
}

std::optional<uid_t> runningCopySocketPeer(int fd) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0 || size == 0) {
        return std::nullopt;
    }
    return credentials.uid;
}

} // namespace tessarin
