#include "Platform/Program/RunningCopyTrust.h"

#include <cstdio>

namespace tessarin {

namespace {

using Kind = RunningCopyFileFacts::Kind;

std::string ownedBy(const RunningCopyFileFacts& facts) {
    return "belongs to user " + std::to_string(facts.owner);
}

} // namespace

RunningCopyFileFacts RunningCopyFileFacts::of(const struct stat& status) {
    Kind kind = Kind::other;
    if (S_ISREG(status.st_mode)) {
        kind = Kind::regular;
    } else if (S_ISDIR(status.st_mode)) {
        kind = Kind::folder;
    } else if (S_ISLNK(status.st_mode)) {
        kind = Kind::link;
    } else if (S_ISSOCK(status.st_mode)) {
        kind = Kind::socket;
    }
    return {kind, status.st_uid, static_cast<mode_t>(status.st_mode & 07777)};
}

RunningCopyFileFacts RunningCopyFileFacts::at(const char* path) {
    struct stat status {};
    if (::lstat(path, &status) != 0) {
        return {};
    }
    return of(status);
}

std::string RunningCopyTrust::doubtAboutFolder(const RunningCopyFileFacts& folder, uid_t user) {
    switch (folder.kind) {
    case Kind::missing:
        return "is missing";
    case Kind::link:
        return "is a link";
    case Kind::folder:
        break;
    default:
        return "is no folder";
    }
    if (folder.owner != user) {
        return ownedBy(folder);
    }
    if (folder.permissions != 0700) {
        char mode[8];
        std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(folder.permissions));
        return std::string("is not private (mode ") + mode + ")";
    }
    return {};
}

std::string RunningCopyTrust::doubtAboutLock(const RunningCopyFileFacts& lock, uid_t user) {
    if (lock.kind != Kind::regular) {
        return "the lock is no regular file";
    }
    if (lock.owner != user) {
        return "the lock " + ownedBy(lock);
    }
    return {};
}

std::string RunningCopyTrust::doubtAboutSocketPath(const RunningCopyFileFacts& found, uid_t user) {
    if (found.kind == Kind::missing) {
        return {};
    }
    if (found.kind == Kind::folder) {
        return "a folder sits at the socket path";
    }
    if (found.owner != user) {
        return "the socket path " + ownedBy(found);
    }
    return {};
}

bool RunningCopyTrust::trustsSocket(const RunningCopyFileFacts& socket, uid_t user) {
    return socket.kind == Kind::socket && socket.owner == user;
}

bool RunningCopyTrust::trustsPeer(std::optional<uid_t> peer, uid_t user) {
    return peer && *peer == user;
}

} // namespace tessarin
