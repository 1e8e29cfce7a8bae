#include "Platform/Preferences/DefaultsFileLock.h"

#include "Platform/Program/HeldFileLocks.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace tessarin {

namespace {

// The lock file's bytes: the next ticket, then the floor (tickets below it were passed over),
// guarded together by a byte-range lock held only while one of them is read and changed.
constexpr off_t kNextTicket = 0;
constexpr off_t kFloor = 8;
constexpr off_t kCounters = 16;
// Held by the holder of the lock, so a waiter can tell a free lock without taking it.
constexpr off_t kHeldMark = 16;
// Ticket t waits holding the byte at kLine + t.
constexpr off_t kLine = 32;
// Tickets past this are no count this lock ever made: the counters are begun again.
constexpr uint64_t kLastTicket = uint64_t{1} << 48;

// Short at first, so the writer whose turn it is takes the lock soon after it is let go.
constexpr auto kFirstRetry = std::chrono::microseconds(200);
constexpr auto kLongestRetry = std::chrono::milliseconds(4);

// Byte-range locks that belong to the open file, not the process, so two writers of one process
// queue too, and that go when the file is closed, so a killed writer leaves no ticket behind.
bool setRange(int fd, short type, off_t start, off_t length) {
    struct flock range {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = start;
    range.l_len = length;
    return ::fcntl(fd, F_OFD_SETLK, &range) == 0;
}

// Whether another open file holds a byte in [start, start + length).
bool rangeTaken(int fd, off_t start, off_t length) {
    if (length <= 0) {
        return false;
    }
    struct flock range {};
    range.l_type = F_WRLCK;
    range.l_whence = SEEK_SET;
    range.l_start = start;
    range.l_len = length;
    return ::fcntl(fd, F_OFD_GETLK, &range) == 0 && range.l_type != F_UNLCK;
}

uint64_t readCounter(int fd, off_t at) {
    uint64_t value = 0;
    if (::pread(fd, &value, sizeof value, at) != static_cast<ssize_t>(sizeof value)) {
        return 0; // a new lock file
    }
    return value > kLastTicket ? 0 : value;
}

bool writeCounter(int fd, off_t at, uint64_t value) {
    return ::pwrite(fd, &value, sizeof value, at) == static_cast<ssize_t>(sizeof value);
}

std::string systemError(int error) {
    return std::strerror(error);
}

// Why the opened file cannot be this user's lock; empty when it can.
std::string doubtAbout(int fd) {
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        return "the lock file cannot be read: " + systemError(errno);
    }
    if (!S_ISREG(status.st_mode)) {
        return "the lock file is no regular file";
    }
    if (status.st_uid != ::geteuid()) {
        return "the lock file belongs to user " + std::to_string(status.st_uid);
    }
    // Another user who can open the lock can hold it for as long as they like.
    if ((status.st_mode & 077) != 0 && ::fchmod(fd, 0600) != 0) {
        return "the lock file cannot be made private: " + systemError(errno);
    }
    return {};
}

// The user a process runs for: its status's real uid. (The owner of its /proc entry is root for
// a process that changed its user without starting a program anew.)
std::optional<uid_t> processUser(pid_t process) {
    std::ifstream status("/proc/" + std::to_string(process) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        unsigned long user = 0;
        if (std::sscanf(line.c_str(), "Uid: %lu", &user) == 1) {
            return static_cast<uid_t>(user);
        }
    }
    return std::nullopt;
}

} // namespace

DefaultsFileLock::DefaultsFileLock(const std::filesystem::path& lockFile) {
    open(lockFile);
}

DefaultsFileLock::DefaultsFileLock(const std::filesystem::path& lockFile,
                                   std::chrono::milliseconds wait)
    : DefaultsFileLock(lockFile) {
    acquire(wait);
}

DefaultsFileLock::~DefaultsFileLock() {
    if (fd_ >= 0) {
        ::close(fd_); // lets go of the lock, the mark and the ticket
    }
}

void DefaultsFileLock::open(const std::filesystem::path& lockFile) {
    fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ < 0) {
        unusable_ = true;
        problem_ = "the lock file cannot be opened: " + systemError(errno);
        return;
    }
    problem_ = doubtAbout(fd_);
    if (!problem_.empty()) {
        unusable_ = true;
        ::close(fd_);
        fd_ = -1;
    }
}

DefaultsFileLock::Counters DefaultsFileLock::holdCounters() {
    if (setRange(fd_, F_WRLCK, kNextTicket, kCounters)) {
        countersBusySince_.reset();
        return Counters::Held;
    }
    if (errno != EAGAIN && errno != EACCES && errno != EINTR) {
        problem_ = "the line cannot be joined: " + systemError(errno);
        return Counters::Failed;
    }
    // They are held for two reads and two writes: held longer, their holder stopped or hung
    // there, and the line goes on without them rather than wait for it.
    const auto now = std::chrono::steady_clock::now();
    if (!countersBusySince_) {
        countersBusySince_ = now;
    }
    return now - *countersBusySince_ < passOverAfter_ ? Counters::Busy : Counters::Stuck;
}

void DefaultsFileLock::letGoOfCounters(Counters access) {
    if (access == Counters::Held) {
        setRange(fd_, F_UNLCK, kNextTicket, kCounters);
    }
}

bool DefaultsFileLock::drawTicket(std::chrono::steady_clock::time_point deadline) {
    auto retry = std::chrono::microseconds(50);
    Counters access = holdCounters();
    while (access == Counters::Busy) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(retry);
        retry = std::min<std::chrono::microseconds>(retry * 2, kLongestRetry);
        access = holdCounters();
    }
    if (access == Counters::Failed) {
        return false;
    }
    uint64_t next = readCounter(fd_, kNextTicket);
    uint64_t floor = readCounter(fd_, kFloor);
    if (next == kLastTicket) {
        next = floor = 0;
        writeCounter(fd_, kFloor, floor);
    }
    // A drawer that stopped with the counters held writes an older count once it goes on.
    next = std::max(next, floor);
    // Each ticket's byte is taken on its own, so a ticket is never given twice even when the
    // counters are stuck and others draw beside this one: the first free byte is this ticket.
    bool placed = false;
    while (next < kLastTicket &&
           !(placed = setRange(fd_, F_WRLCK, kLine + static_cast<off_t>(next), 1)) &&
           (errno == EAGAIN || errno == EACCES)) {
        ++next;
    }
    placed = placed && writeCounter(fd_, kNextTicket, next + 1);
    const int error = errno;
    letGoOfCounters(access);
    if (!placed) {
        setRange(fd_, F_UNLCK, kLine + static_cast<off_t>(next), 1);
        problem_ = "the line cannot be joined: " + systemError(error);
        return false;
    }
    ticket_ = next;
    return true;
}

bool DefaultsFileLock::isTurn() {
    const uint64_t floor = std::min(readCounter(fd_, kFloor), *ticket_);
    return !rangeTaken(fd_, kLine + static_cast<off_t>(floor),
                       static_cast<off_t>(*ticket_ - floor));
}

bool DefaultsFileLock::passOverStoppedWaiter() {
    if (rangeTaken(fd_, kHeldMark, 1)) {
        freeWhileOthersFirst_.reset(); // the line moves
        return false;
    }
    const auto now = std::chrono::steady_clock::now();
    if (!freeWhileOthersFirst_) {
        freeWhileOthersFirst_ = now;
    }
    if (now - *freeWhileOthersFirst_ < passOverAfter_) {
        return false;
    }
    const Counters access = holdCounters();
    if (access == Counters::Busy || access == Counters::Failed) {
        return false; // another waiter is drawing or passing over; look again next time
    }
    // The earliest ticket still held: the lowest offset whose range up to it holds a lock.
    uint64_t low = std::min(readCounter(fd_, kFloor), *ticket_);
    uint64_t high = *ticket_;
    while (high - low > 1) {
        const uint64_t middle = low + (high - low) / 2;
        if (rangeTaken(fd_, kLine + static_cast<off_t>(low), static_cast<off_t>(middle - low))) {
            high = middle;
        } else {
            low = middle;
        }
    }
    if (rangeTaken(fd_, kLine + static_cast<off_t>(low), 1)) {
        writeCounter(fd_, kFloor, std::max(readCounter(fd_, kFloor), low + 1));
    }
    letGoOfCounters(access);
    freeWhileOthersFirst_.reset();
    return true;
}

bool DefaultsFileLock::takeLock() {
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            problem_ = "the lock cannot be taken: " + systemError(errno);
        }
        return false;
    }
    setRange(fd_, F_WRLCK, kHeldMark, 1);
    setRange(fd_, F_UNLCK, kLine + static_cast<off_t>(*ticket_), 1);
    ticket_.reset();
    freeWhileOthersFirst_.reset();
    held_ = true;
    return true;
}

bool DefaultsFileLock::acquire(std::chrono::milliseconds wait) {
    if (fd_ < 0 || held_) {
        return held_;
    }
    problem_.clear();
    waiting_ = false;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    if (!ticket_ && !drawTicket(deadline)) {
        return problem_.empty() && ranOut(wait);
    }
    std::chrono::microseconds retry = kFirstRetry;
    for (;;) {
        const bool turn = isTurn();
        if (turn) {
            freeWhileOthersFirst_.reset();
            if (takeLock()) {
                return true;
            }
            if (!problem_.empty()) {
                return false;
            }
        } else if (passOverStoppedWaiter()) {
            continue; // look at the line again at once
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            if (const auto user = holdingUser(); user && *user != ::geteuid()) {
                return heldByAnotherUser(*user);
            }
            return ranOut(wait);
        }
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(retry, deadline - now));
        retry = std::min<std::chrono::microseconds>(retry * 2, kLongestRetry);
    }
}

std::optional<uid_t> DefaultsFileLock::holdingUser() const {
    struct stat file {};
    if (::fstat(fd_, &file) != 0) {
        return std::nullopt;
    }
    for (const pid_t holder : flockHolders(systemLockTable(), file.st_dev, file.st_ino)) {
        if (const auto user = holder > 0 ? processUser(holder) : std::nullopt) {
            return user;
        }
    }
    return std::nullopt; // free, or a holder this process cannot see
}

bool DefaultsFileLock::heldByAnotherUser(uid_t user) {
    ::close(fd_); // lets go of the ticket
    fd_ = -1;
    ticket_.reset();
    unusable_ = true;
    problem_ = "the lock is held by a process of user " + std::to_string(user);
    return false;
}

bool DefaultsFileLock::ranOut(std::chrono::milliseconds wait) {
    waiting_ = true;
    problem_ = heldLongerThan(wait);
    return false;
}

std::string DefaultsFileLock::heldLongerThan(std::chrono::milliseconds wait) {
    return "another process held the lock for more than " + std::to_string(wait.count()) + " ms";
}

std::filesystem::path DefaultsFileLock::lockFileFor(const std::filesystem::path& file) {
    return file.parent_path() / (file.filename().string() + ".lock");
}

} // namespace tessarin
