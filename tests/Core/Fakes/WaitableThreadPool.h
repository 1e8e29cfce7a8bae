#pragma once

#include "Support/Executor.h"

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>

namespace tessarin::fakes {

// The program's worker threads, whose jobs a test can wait out: work runs concurrently with the
// main thread, as in the program, and the test still knows when it has all ended.
class WaitableThreadPool final : public Executor {
public:
    void execute(std::function<void()> work) override {
        {
            const std::lock_guard lock(mutex_);
            ++running_;
            submittedSinceWait_ = true;
        }
        pool_.execute([this, work = std::move(work)] {
            work();
            const std::lock_guard lock(mutex_);
            --running_;
            ended_.notify_all();
        });
    }

    // Blocks until every job submitted so far has ended; true when any was submitted since the
    // last wait.
    bool waitUntilIdle() {
        std::unique_lock lock(mutex_);
        ended_.wait(lock, [this] { return running_ == 0; });
        const bool submitted = submittedSinceWait_;
        submittedSinceWait_ = false;
        return submitted;
    }

private:
    std::mutex mutex_;
    std::condition_variable ended_;
    std::size_t running_ = 0;
    bool submittedSinceWait_ = false;
    ThreadPoolExecutor pool_{2}; // last: its workers are joined before the rest goes
};

} // namespace tessarin::fakes
