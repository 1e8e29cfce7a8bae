#include "Platform/Preferences/DefaultsWriterThread.h"

#include <atomic>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

namespace tessarin {
namespace {

// Counts attempts and answers "done" from the given attempt on; the test waits for a count.
class Attempts {
public:
    explicit Attempts(int doneAt) : doneAt_(doneAt) {}

    bool attempt() {
        std::lock_guard lock(mutex_);
        ++made_;
        changed_.notify_all();
        return made_ >= doneAt_;
    }
    int awaitAtLeast(int count) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return made_ >= count; });
        return made_;
    }
    int made() {
        std::lock_guard lock(mutex_);
        return made_;
    }

private:
    const int doneAt_;
    int made_ = 0;
    std::mutex mutex_;
    std::condition_variable changed_;
};

TEST(DefaultsWriterThreadTest, NothingIsAttemptedBeforeAWake) {
    Attempts attempts(1);
    {
        DefaultsWriterThread writer([&] { return attempts.attempt(); });
    }
    EXPECT_EQ(attempts.made(), 0);
}

// An attempt still waiting for the lock is made again until it is done, and then the thread
// waits for the next wake.
TEST(DefaultsWriterThreadTest, AnAttemptIsMadeAgainUntilItIsDone) {
    Attempts attempts(3);
    DefaultsWriterThread writer([&] { return attempts.attempt(); });
    writer.wake();
    EXPECT_EQ(attempts.awaitAtLeast(3), 3);
    writer.wake();
    EXPECT_EQ(attempts.awaitAtLeast(4), 4);
}

// A thread going away stops after the attempt under way, though the write was never done.
TEST(DefaultsWriterThreadTest, GoingAwayStopsAnAttemptThatIsNeverDone) {
    Attempts attempts(1 << 30);
    {
        DefaultsWriterThread writer([&] {
            std::this_thread::yield();
            return attempts.attempt();
        });
        writer.wake();
        attempts.awaitAtLeast(2);
    }
    const int made = attempts.made();
    std::this_thread::yield();
    EXPECT_EQ(attempts.made(), made);
}

} // namespace
} // namespace tessarin
