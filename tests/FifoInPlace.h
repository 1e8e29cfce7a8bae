#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace tessarin {

// A FIFO at a path, for tests of readers that must refuse one without opening it. A reader that
// opened it after all would wait for a writer for ever; a guard then opens the writing end after
// a few seconds, so the test ends and fails instead of hanging. Nothing waits when the reader is
// right.
class FifoInPlace {
public:
    explicit FifoInPlace(std::filesystem::path path)
        : path_(std::move(path)), made_(::mkfifo(path_.c_str(), 0644) == 0),
          guard_([this] { guard(); }) {}
    FifoInPlace(const FifoInPlace&) = delete;
    FifoInPlace& operator=(const FifoInPlace&) = delete;
    ~FifoInPlace() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        ended_.notify_all();
        guard_.join();
    }

    bool made() const { return made_; }
    // True when a reader was found waiting in the FIFO and had to be let go.
    bool heldAReader() const { return heldAReader_; }

private:
    void guard() {
        std::unique_lock lock(mutex_);
        while (!ended_.wait_for(lock, std::chrono::seconds(5), [this] { return done_; })) {
            // Succeeds only while a reader has the FIFO open (or waits to).
            const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                heldAReader_ = true;
                ::close(fd);
            }
        }
    }

    std::filesystem::path path_;
    bool made_;
    std::atomic<bool> heldAReader_{false};
    std::mutex mutex_;
    std::condition_variable ended_;
    bool done_ = false;
    std::thread guard_;
};

} // namespace tessarin
