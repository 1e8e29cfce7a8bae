#pragma once

#include <chrono>
#include <filesystem>
#include <string>

namespace tessarin {

// An advisory lock on a defaults file, so writers in several processes take turns reading the
// file, adding their changes and replacing it. It is held on a lock file beside the file (the
// file itself is replaced by every write, so a lock on it would not outlive the write) and goes
// with its holder when that process ends, so a crashed writer never blocks the next one.
//
// The lock is fair: a writer first takes the place in line (a byte-range lock on the lock file)
// and only its holder may take the lock itself (a flock on the whole file), letting go of the
// place once it has it. A holder that lets go and comes straight back finds the place taken by
// the writer that was waiting, so a process writing back to back never keeps another out. The
// place is kept across waits that time out, until the lock is taken or this object goes.
class DefaultsFileLock {
public:
    // Opens the lock file; takes nothing yet.
    explicit DefaultsFileLock(const std::filesystem::path& lockFile);
    // Opens the lock file and waits at most `wait` for the lock.
    DefaultsFileLock(const std::filesystem::path& lockFile, std::chrono::milliseconds wait);
    DefaultsFileLock(const DefaultsFileLock&) = delete;
    DefaultsFileLock& operator=(const DefaultsFileLock&) = delete;
    ~DefaultsFileLock();

    // Waits at most `wait` (zero: only tries) for the place in line and then the lock; true once
    // held. On a time-out the place in line is kept for the next call.
    bool acquire(std::chrono::milliseconds wait);

    bool isHeld() const { return held_; }
    // True when the last acquire ran out of time because another writer held on.
    bool isWaiting() const { return waiting_; }
    // Why it is not held: the lock file cannot be opened, or another holder kept it past the wait.
    const std::string& problem() const { return problem_; }

    // "<file>.lock".
    static std::filesystem::path lockFileFor(const std::filesystem::path& file);

private:
    enum class Try { taken, busy, failed };
    Try tryPlaceInLine();
    Try tryLock();
    void leaveLine();

    int fd_ = -1;
    bool inLine_ = false;
    bool held_ = false;
    bool waiting_ = false;
    std::string problem_;
};

} // namespace tessarin
