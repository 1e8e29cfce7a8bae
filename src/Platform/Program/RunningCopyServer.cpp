#include "Platform/Program/RunningCopyServer.h"

#include "Platform/Program/RunningCopySocketAddress.h"
#include "Platform/Program/RunningCopyTrust.h"
#include "Support/Logger.h"
#include "Support/Text.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace tessarin {

namespace {

const Logger& logger() {
    static const Logger instance("RunningCopy");
    return instance;
}

int acceptConnection(int listening) {
    return ::accept4(listening, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
}

// Out of descriptors or memory: the connection waits in the backlog until some are free again.
bool isShortage(int error) {
    return error == EMFILE || error == ENFILE || error == ENOBUFS || error == ENOMEM;
}

// The connection went away before it was taken, or a signal came: the next one may be fine.
bool isTransient(int error) {
    return error == EINTR || error == ECONNABORTED || error == EPROTO;
}

} // namespace

RunningCopyServer::RunningCopyServer(std::filesystem::path socketFile, const Clock& clock,
                                     Answer answer, Limits limits, Accept accept)
    : socketFile_(std::move(socketFile)), clock_(clock), answer_(std::move(answer)),
      limits_(limits), accept_(accept ? std::move(accept) : Accept(acceptConnection)) {
    listen();
}

RunningCopyServer::~RunningCopyServer() {
    for (const Connection& connection : connections_) {
        ::close(connection.fd);
    }
    stopListening();
}

bool RunningCopyServer::listen() {
    const std::optional<sockaddr_un> address = runningCopySocketAddress(socketFile_);
    if (!address) {
        error_ = socketPathTooLong();
        return false;
    }
    const std::string& path = socketFile_.native();
    // A crashed copy's socket, or what the caller judged may go.
    ::unlink(path.c_str());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        error_ = std::string("no socket: ") + std::strerror(errno);
        return false;
    }
    struct stat status {};
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0 ||
        ::chmod(path.c_str(), 0600) != 0 || ::listen(fd, SOMAXCONN) != 0 ||
        ::lstat(path.c_str(), &status) != 0) {
        error_ = "cannot listen at " + escapingUnprintable(path) + ": " + std::strerror(errno);
        ::close(fd);
        return false;
    }
    listening_ = fd;
    socketDevice_ = status.st_dev;
    socketInode_ = status.st_ino;
    error_.clear();
    return true;
}

void RunningCopyServer::stopListening() {
    if (listening_ < 0) {
        return;
    }
    ::close(listening_);
    listening_ = -1;
    // Another copy may listen at the path by now: its socket stays.
    struct stat status {};
    if (::lstat(socketFile_.c_str(), &status) == 0 && status.st_dev == socketDevice_ &&
        status.st_ino == socketInode_) {
        ::unlink(socketFile_.c_str());
    }
}

bool RunningCopyServer::fromUser(int fd) const {
    return RunningCopyTrust::trustsPeer(runningCopySocketPeer(fd), ::getuid());
}

void RunningCopyServer::acceptPending() {
    if (pausedUntil_) {
        if (clock_.uptime() < *pausedUntil_) {
            return;
        }
        pausedUntil_.reset();
    }
    while (listening_ >= 0) {
        const int fd = accept_(listening_);
        if (fd < 0) {
            const int error = errno;
            if (error == EAGAIN || error == EWOULDBLOCK) {
                return;
            }
            if (isTransient(error)) {
                continue;
            }
            logger().error(std::string("runningCopy.acceptFailed reason=") + std::strerror(error));
            if (isShortage(error)) {
                pausedUntil_ = clock_.uptime() + limits_.acceptPause;
                return;
            }
            // The listening socket itself broke: a new one at the same path.
            stopListening();
            listen();
            return;
        }
        if (connections_.size() >= limits_.connections || !fromUser(fd)) {
            ::close(fd);
            continue;
        }
        connections_.push_back({fd, clock_.uptime(), {}});
    }
}

bool RunningCopyServer::read(Connection& connection) {
    for (;;) {
        char bytes[128];
        const std::size_t room = limits_.lineBytes - connection.received.size();
        const ssize_t got =
            ::recv(connection.fd, bytes, std::min(room, sizeof bytes), MSG_DONTWAIT);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return clock_.uptime() < connection.acceptedAt + limits_.lineWait;
        }
        if (got <= 0) {
            return false;
        }
        connection.received.append(bytes, static_cast<std::size_t>(got));
        const auto end = connection.received.find('\n');
        if (end != std::string::npos) {
            if (const auto reply = answer_(std::string_view(connection.received).substr(0, end))) {
                const std::string line = *reply + "\n";
                ::send(connection.fd, line.data(), line.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
            }
            return false;
        }
        if (connection.received.size() >= limits_.lineBytes) {
            return false;
        }
    }
}

void RunningCopyServer::service() {
    acceptPending();
    std::erase_if(connections_, [this](Connection& connection) {
        if (read(connection)) {
            return false;
        }
        ::close(connection.fd);
        return true;
    });
    if (listening_ < 0 && !pausedUntil_) {
        listen();
    }
}

std::vector<int> RunningCopyServer::descriptors() const {
    std::vector<int> wanted;
    if (listening_ >= 0 && !pausedUntil_) {
        wanted.push_back(listening_);
    }
    for (const Connection& connection : connections_) {
        wanted.push_back(connection.fd);
    }
    return wanted;
}

std::optional<TimeInterval> RunningCopyServer::nextDeadline() const {
    std::optional<TimeInterval> next = pausedUntil_;
    for (const Connection& connection : connections_) {
        const TimeInterval due = connection.acceptedAt + limits_.lineWait;
        next = next ? std::min(*next, due) : due;
    }
    return next;
}

} // namespace tessarin
