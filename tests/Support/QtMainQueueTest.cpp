#include "Support/QtMainQueue.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace tessarin {
namespace {

// The program's queue runs work from Qt's event loop, in order, on the application's thread.
class QtMainQueueTest : public ::testing::Test {
protected:
    int argc = 1;
    char name[8] = "test";
    char* argv[2] = {name, nullptr};
    QCoreApplication application{argc, argv};
    QtMainQueue queue;
    std::string ran;

    void processUntil(const std::string& expected) {
        for (int turn = 0; turn < 1000 && ran != expected; ++turn) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        }
    }
};

TEST_F(QtMainQueueTest, RunsWorkInOrderOnlyFromTheEventLoop) {
    queue.async([&] { ran += "a"; });
    queue.async([&] { ran += "b"; });
    EXPECT_EQ(ran, "");
    processUntil("ab");
    EXPECT_EQ(ran, "ab");
}

TEST_F(QtMainQueueTest, WorkPostedFromAnotherThreadRunsOnTheApplicationThread) {
    std::thread::id ranOn;
    std::thread worker([&] {
        queue.async([&] {
            ranOn = std::this_thread::get_id();
            ran = "done";
        });
    });
    worker.join();
    processUntil("done");
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST_F(QtMainQueueTest, CancelledDelayedWorkNeverRuns) {
    WorkItem cancelled = queue.asyncAfter(0, [&] { ran += "cancelled"; });
    cancelled.cancel();
    queue.asyncAfter(0, [&] { ran += "kept"; });
    processUntil("kept");
    EXPECT_EQ(ran, "kept");
}

} // namespace
} // namespace tessarin
