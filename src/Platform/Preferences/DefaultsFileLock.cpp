#include "Platform/Preferences/DefaultsFileLock.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace tessarin {

namespace {

// Short at first, so the writer next in line takes the lock soon after it is let go; longer
// while a holder keeps it, so a long wait (a hung holder) wakes the waiter seldom.
constexpr auto kFirstRetry = std::chrono::microseconds(200);
constexpr auto kLongestRetry = std::chrono::milliseconds(16);

// The place in line: one byte past anything a reader of the lock file would look at. Its lock
// belongs to the open file, not the process, so two writers of one process queue too.
constexpr off_t kPlaceInLine = 1;

bool lockPlace(int fd, short type) {
    struct flock range {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = kPlaceInLine;
    range.l_len = 1;
    return ::fcntl(fd, F_OFD_SETLK, &range) == 0;
}

std::string systemError(int error) {
    return std::strerror(error);
}

} // namespace

DefaultsFileLock::DefaultsFileLock(const std::filesystem::path& lockFile) {
    fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd_ < 0) {
        problem_ = "the lock file cannot be opened: " + systemError(errno);
    }
}

DefaultsFileLock::DefaultsFileLock(const std::filesystem::path& lockFile,
                                   std::chrono::milliseconds wait)
    : DefaultsFileLock(lockFile) {
    acquire(wait);
}

DefaultsFileLock::~DefaultsFileLock() {
    if (fd_ >= 0) {
        ::close(fd_); // lets go of the lock and the place in line
    }
}

DefaultsFileLock::Try DefaultsFileLock::tryPlaceInLine() {
    if (inLine_) {
        return Try::taken;
    }
    if (lockPlace(fd_, F_WRLCK)) {
        inLine_ = true;
        return Try::taken;
    }
    if (errno == EAGAIN || errno == EACCES || errno == EINTR) {
        return Try::busy;
    }
    problem_ = "the place in line cannot be taken: " + systemError(errno);
    return Try::failed;
}

DefaultsFileLock::Try DefaultsFileLock::tryLock() {
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
        return Try::taken;
    }
    if (errno == EWOULDBLOCK || errno == EINTR) {
        return Try::busy;
    }
    problem_ = "the lock cannot be taken: " + systemError(errno);
    return Try::failed;
}

void DefaultsFileLock::leaveLine() {
    if (inLine_) {
        lockPlace(fd_, F_UNLCK);
        inLine_ = false;
    }
}

bool DefaultsFileLock::acquire(std::chrono::milliseconds wait) {
    if (fd_ < 0 || held_) {
        return held_;
    }
    problem_.clear();
    waiting_ = false;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    // A place kept from a wait that ran out: the holder has held on for a while already.
    std::chrono::microseconds retry = inLine_ ? kLongestRetry : kFirstRetry;
    for (;;) {
        const bool wasInLine = inLine_;
        Try step = tryPlaceInLine();
        if (step == Try::taken && !wasInLine) {
            retry = kFirstRetry; // first in line now: the lock is let go to this writer next
        }
        if (step == Try::taken) {
            step = tryLock();
        }
        if (step == Try::taken) {
            held_ = true;
            leaveLine(); // the next writer may queue behind this one now
            return true;
        }
        if (step == Try::failed) {
            leaveLine();
            return false;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            waiting_ = true;
            problem_ = "another process held the lock for more than " +
                       std::to_string(wait.count()) + " ms";
            return false;
        }
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(retry, deadline - now));
        retry = std::min<std::chrono::microseconds>(retry * 2, kLongestRetry);
    }
}

std::filesystem::path DefaultsFileLock::lockFileFor(const std::filesystem::path& file) {
    return file.parent_path() / (file.filename().string() + ".lock");
}

} // namespace tessarin
