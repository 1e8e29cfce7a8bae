#pragma once

#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

namespace tessarin {

// What the running-copy guard finds at one of its paths, as `lstat` sees it: a link is a link.
struct RunningCopyFileFacts {
    enum class Kind { missing, regular, folder, link, socket, other };
    Kind kind = Kind::missing;
    uid_t owner = 0;
    mode_t permissions = 0; // the mode's permission bits

    static RunningCopyFileFacts of(const struct stat& status);
    static RunningCopyFileFacts at(const char* path);
};

// Whether the guard may rely on what it finds. Others can put anything into a shared folder, so
// nothing there counts unless it is the user's own and what it should be. Each judgement is
// empty when the thing is trusted, else why not, for the one line that says the guard is off.
struct RunningCopyTrust {
    // The folder made for the guard: the user's, 0700, a folder and no link.
    static std::string doubtAboutFolder(const RunningCopyFileFacts& folder, uid_t user);
    // The opened lock: a regular file of the user's.
    static std::string doubtAboutLock(const RunningCopyFileFacts& lock, uid_t user);
    // What sits at the socket path before the running copy listens there: nothing, or something
    // of the user's that may be removed (a crashed copy's socket).
    static std::string doubtAboutSocketPath(const RunningCopyFileFacts& found, uid_t user);
    // A later start talks only to a socket of the user's.
    static bool trustsSocket(const RunningCopyFileFacts& socket, uid_t user);
    // The process at the other end of a connection, as the system names it.
    static bool trustsPeer(std::optional<uid_t> peer, uid_t user);
};

} // namespace tessarin
