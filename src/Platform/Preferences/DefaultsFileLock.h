#pragma once

#include <chrono>
#include <filesystem>
#include <string>

namespace tessarin {

// An advisory lock on a defaults file, so writers in several processes take turns reading the
// file, adding their changes and replacing it. It is held on a lock file beside the file (the
// file itself is replaced by every write, so a lock on it would not outlive the write), waits at
// most `wait` for another holder, and goes with its holder when that process ends, so a crashed
// writer never blocks the next one.
class DefaultsFileLock {
public:
    DefaultsFileLock(const std::filesystem::path& lockFile, std::chrono::milliseconds wait);
    DefaultsFileLock(const DefaultsFileLock&) = delete;
    DefaultsFileLock& operator=(const DefaultsFileLock&) = delete;
    ~DefaultsFileLock();

    bool isHeld() const { return fd_ >= 0 && held_; }
    // Why it is not held: the lock file cannot be opened, or another holder kept it past the wait.
    const std::string& problem() const { return problem_; }

    // "<file>.lock".
    static std::filesystem::path lockFileFor(const std::filesystem::path& file);

private:
    int fd_ = -1;
    bool held_ = false;
    std::string problem_;
};

} // namespace tessarin
