#pragma once

#include "Support/Clock.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace tessarin {

struct RunningCopyServerLimits {
    std::size_t lineBytes = 64;
    TimeInterval lineWait = 1.0;
    std::size_t connections = 16;
    TimeInterval acceptPause = 0.1;
};

// The running copy's end of its socket. Whoever can reach the socket is served, but no one can
// take more of the copy than a few small connections: a line is at most `lineBytes` long and
// must come within `lineWait`, at most `connections` are open at once (later ones are closed at
// once), a failed accept (no file left to take one) pauses the listening briefly instead of
// ending it, and a peer of another user is turned away. Nothing here waits: `service` does what
// can be done now, and its driver calls it again when a descriptor is readable or the next
// deadline has come.
class RunningCopyServer {
public:
    using Limits = RunningCopyServerLimits;
    // The reply to a line (without its newline); none closes the connection without one.
    using Answer = std::function<std::optional<std::string>(std::string_view line)>;
    // Accepts a connection on a listening descriptor, as accept4 does (a seam for tests).
    using Accept = std::function<int(int listening)>;

    // Listens at `socketFile`, replacing what is there (the caller has judged it the user's).
    RunningCopyServer(std::filesystem::path socketFile, const Clock& clock, Answer answer,
                      Limits limits = {}, Accept accept = {});
    RunningCopyServer(const RunningCopyServer&) = delete;
    RunningCopyServer& operator=(const RunningCopyServer&) = delete;
    // Removes the socket file only while it is still the one this server made.
    ~RunningCopyServer();

    bool isListening() const { return listening_ >= 0; }
    const std::string& error() const { return error_; }

    void service();
    // What `service` waits on: the listening descriptor (not while paused) and every connection.
    std::vector<int> descriptors() const;
    // When `service` must run although nothing arrived: a line's wait ends, or a pause.
    std::optional<TimeInterval> nextDeadline() const;
    std::size_t connectionCount() const { return connections_.size(); }

private:
    struct Connection {
        int fd = -1;
        TimeInterval acceptedAt = 0;
        std::string received;
    };
    bool listen();
    void stopListening();
    void acceptPending();
    // False when the connection is done with and closed.
    bool read(Connection& connection);
    bool fromUser(int fd) const;

    std::filesystem::path socketFile_;
    const Clock& clock_;
    Answer answer_;
    Limits limits_;
    Accept accept_;
    int listening_ = -1;
    dev_t socketDevice_ = 0;
    ino_t socketInode_ = 0;
    std::optional<TimeInterval> pausedUntil_;
    std::vector<Connection> connections_;
    std::string error_;
};

} // namespace tessarin
