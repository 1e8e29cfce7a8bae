#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/types.h>

namespace tessarin {

// An advisory lock on a defaults file, so writers in several processes take turns reading the
// file, adding their changes and replacing it. It is held on a lock file beside the file (the
// file itself is replaced by every write, so a lock on it would not outlive the write) and goes
// with its holder when that process ends, so a crashed writer never blocks the next one.
//
// The lock is a line served in arrival order: a writer draws a ticket (a counter kept in the
// lock file) and holds a byte-range lock at its ticket's offset while it waits; it may take the
// lock itself (a flock on the whole file) once no earlier ticket is held. A writer that lets go
// and comes straight back draws a later ticket than those waiting, however many they are, and a
// waiter that is killed lets go of its ticket with its process. A waiter that stops (SIGSTOP)
// keeps its ticket but never takes its turn: while the lock stays free for `passOverAfter` with
// an earlier ticket still held, the next waiter passes over it. One stopped while it draws or
// passes over holds the counters too: held past `passOverAfter`, they are gone around.
//
// The lock file is the user's own, readable by no one else, so another user can neither hold it
// nor read the line; a lock file that is not (a link, a folder, another user's) is unusable, and
// so is one another user holds all the same (opened while it was still open to others).
class DefaultsFileLock {
public:
    static constexpr std::chrono::milliseconds kPassOverAfter{250};

    // Opens (or makes, mode 0600) the lock file; takes nothing yet.
    explicit DefaultsFileLock(const std::filesystem::path& lockFile);
    // Opens the lock file and waits at most `wait` for the lock.
    DefaultsFileLock(const std::filesystem::path& lockFile, std::chrono::milliseconds wait);
    DefaultsFileLock(const DefaultsFileLock&) = delete;
    DefaultsFileLock& operator=(const DefaultsFileLock&) = delete;
    ~DefaultsFileLock();

    // Waits at most `wait` (zero: only tries) for its turn and then the lock; true once held. On
    // a time-out the ticket is kept for the next call.
    bool acquire(std::chrono::milliseconds wait);
    // How long the lock must stay free while an earlier waiter does not take it before this one
    // passes over it.
    void setPassOverAfter(std::chrono::milliseconds wait) { passOverAfter_ = wait; }

    bool isHeld() const { return held_; }
    // True when the last acquire ran out of time because another writer held on or came first.
    bool isWaiting() const { return waiting_; }
    // True when the lock file cannot serve as a lock at all (it cannot be opened, or is no
    // regular file of the user's): no wait mends that.
    bool isUnusable() const { return unusable_; }
    // Why it is not held: the lock file is unusable, or another holder kept it past the wait.
    const std::string& problem() const { return problem_; }

    // The reason given when a wait for the lock ran out.
    static std::string heldLongerThan(std::chrono::milliseconds wait);

    // "<file>.lock".
    static std::filesystem::path lockFileFor(const std::filesystem::path& file);

private:
    // Whether the counters could be held: Stuck when another has held them past
    // `passOverAfter`, and the line must go on without them.
    enum class Counters { Held, Busy, Stuck, Failed };

    void open(const std::filesystem::path& lockFile);
    Counters holdCounters();
    void letGoOfCounters(Counters access);
    bool drawTicket(std::chrono::steady_clock::time_point deadline);
    bool isTurn();
    bool passOverStoppedWaiter();
    bool takeLock();
    // Notes that `wait` ran out while others held on or came first; false, as nothing is held.
    bool ranOut(std::chrono::milliseconds wait);
    // The user whose process holds the lock, as the system's lock table tells.
    std::optional<uid_t> holdingUser() const;
    // A lock another user holds (one who opened it while it was open to others) may never come
    // free: it is given up as unusable; false.
    bool heldByAnotherUser(uid_t user);

    int fd_ = -1;
    std::optional<uint64_t> ticket_;
    std::optional<std::chrono::steady_clock::time_point> freeWhileOthersFirst_;
    std::optional<std::chrono::steady_clock::time_point> countersBusySince_;
    std::chrono::milliseconds passOverAfter_ = kPassOverAfter;
    bool held_ = false;
    bool waiting_ = false;
    bool unusable_ = false;
    std::string problem_;
};

} // namespace tessarin
