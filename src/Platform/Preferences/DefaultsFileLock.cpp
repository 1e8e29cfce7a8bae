#include "Platform/Preferences/DefaultsFileLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace tessarin {

namespace {

constexpr auto kRetryInterval = std::chrono::milliseconds(5);

// Tries once; false only while another process holds the lock.
bool tryLock(int fd, std::string& problem) {
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            return true;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EWOULDBLOCK) {
            problem = "the lock cannot be taken: " + std::string(std::strerror(errno));
        }
        return false;
    }
}

} // namespace

DefaultsFileLock::DefaultsFileLock(const std::filesystem::path& lockFile,
                                   std::chrono::milliseconds wait) {
    fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd_ < 0) {
        problem_ = "the lock file cannot be opened: " + std::string(std::strerror(errno));
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (tryLock(fd_, problem_)) {
            held_ = true;
            return;
        }
        if (!problem_.empty()) {
            return;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            problem_ = "another process held the lock for more than " +
                       std::to_string(wait.count()) + " ms";
            return;
        }
        std::this_thread::sleep_for(kRetryInterval);
    }
}

DefaultsFileLock::~DefaultsFileLock() {
    if (fd_ >= 0) {
        ::close(fd_); // releases the lock
    }
}

std::filesystem::path DefaultsFileLock::lockFileFor(const std::filesystem::path& file) {
    return file.parent_path() / (file.filename().string() + ".lock");
}

} // namespace tessarin
