#include "Support/BackgroundWork.h"
#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>
#include <memory>

namespace tessarin {
namespace {

TEST(BackgroundWorkShutdown, WhileOpenTheResultComesBackOnTheQueue) {
    auto jobs = std::make_shared<ManualExecutor>();
    VirtualMainQueue queue;
    BackgroundWork work(queue, jobs);
    int delivered = 0;
    work.run<int>([] { return 7; }, [&delivered](int result) { delivered = result; });

    jobs->runAll();
    queue.runUntilIdle();
    EXPECT_EQ(delivered, 7);
}

// A completion handed to another service comes back on the queue while the work is open, and
// is dropped once it has gone.
TEST(BackgroundWorkShutdown, ForeignCompletionsComeBackOnlyWhileOpen) {
    VirtualMainQueue queue;
    auto work = std::make_unique<BackgroundWork>(queue, std::make_shared<ManualExecutor>());
    int delivered = 0;
    const auto completion =
        work->onMainQueue<int>([&delivered](int result) { delivered += result; });
    completion(3);
    EXPECT_EQ(delivered, 0);
    queue.runUntilIdle();
    EXPECT_EQ(delivered, 3);

    completion(4);
    work.reset();
    queue.runUntilIdle();
    completion(5);
    queue.runUntilIdle();
    EXPECT_EQ(delivered, 3);
}

// Shutdown as the program does it, the work's owner first and then the queue, happens while a
// job is running (here: from inside it). Its result must not be posted to the queue that is
// gone, and a job that only gets its turn afterwards must not run.
TEST(BackgroundWorkShutdown, NoJobPostsAfterShutdown) {
    auto jobs = std::make_shared<ManualExecutor>();
    auto queue = std::make_unique<VirtualMainQueue>();
    auto work = std::make_unique<BackgroundWork>(*queue, jobs);
    bool lateJobRan = false;
    work->run<int>(
        [&] {
            work->run<int>(
                [&lateJobRan] {
                    lateJobRan = true;
                    return 2;
                },
                [](int) {});
            work.reset();
            queue.reset();
            return 1;
        },
        [](int) {});

    jobs->runAll();
    EXPECT_FALSE(lateJobRan);
}

} // namespace
} // namespace tessarin
