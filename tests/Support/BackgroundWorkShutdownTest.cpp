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
