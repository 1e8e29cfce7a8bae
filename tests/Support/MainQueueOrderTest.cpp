#include "Support/QtMainQueue.h"
#include "Support/VirtualMainQueue.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace tessarin {
namespace {

struct OrderCase {
    const char* name;
    std::function<void(MainQueue&, std::string&)> schedule;
    const char* expected;
};

// Cases are listed by their row's name, not as the row's bytes.
void PrintTo(const OrderCase& row, std::ostream* os) { *os << row.name; }

// clang-format off
const OrderCase kOrderCases[] = {
    {"ZeroDelayThenAsync", [](MainQueue& q, std::string& ran) {
         q.asyncAfter(0, [&ran] { ran += "a"; });
         q.async([&ran] { ran += "b"; }); }, "ab"},
    {"AsyncThenZeroDelay", [](MainQueue& q, std::string& ran) {
         q.async([&ran] { ran += "a"; });
         q.asyncAfter(0, [&ran] { ran += "b"; }); }, "ab"},
    {"WorkScheduledByRunningWorkGoesLast", [](MainQueue& q, std::string& ran) {
         q.async([&q, &ran] { ran += "a"; q.asyncAfter(0, [&ran] { ran += "c"; }); });
         q.asyncAfter(0, [&ran] { ran += "b"; }); }, "abc"},
    {"CancelledWorkNeverRuns", [](MainQueue& q, std::string& ran) {
         q.asyncAfter(0, [&ran] { ran += "x"; }).cancel();
         q.asyncAfter(0, [&ran] { ran += "a"; }); }, "a"},
};
// clang-format on

// Both queues must keep the one order MainQueue documents, or code tested on the virtual queue
// behaves differently in the program. The Qt queue runs work only from the event loop.
class MainQueueOrderTest : public ::testing::TestWithParam<OrderCase> {
protected:
    void processUntil(std::size_t size) {
        for (int turn = 0; turn < 1000 && ran.size() < size; ++turn) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        }
    }

    int argc = 1;
    char name[8] = "test";
    char* argv[2] = {name, nullptr};
    QCoreApplication application{argc, argv};
    std::string ran;
};

TEST_P(MainQueueOrderTest, VirtualQueue) {
    VirtualMainQueue queue;
    GetParam().schedule(queue, ran);
    queue.runUntilIdle();
    EXPECT_EQ(ran, GetParam().expected);
}

TEST_P(MainQueueOrderTest, QtQueue) {
    QtMainQueue queue;
    GetParam().schedule(queue, ran);
    EXPECT_EQ(ran, "");
    processUntil(std::string(GetParam().expected).size());
    EXPECT_EQ(ran, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, MainQueueOrderTest, ::testing::ValuesIn(kOrderCases),
                         [](const auto& info) { return std::string(info.param.name); });

using QtMainQueueTest = MainQueueOrderTest;

TEST_F(QtMainQueueTest, WorkPostedFromAnotherThreadRunsOnTheApplicationThread) {
    QtMainQueue queue;
    std::thread::id ranOn;
    std::thread([&] {
        queue.async([&] {
            ranOn = std::this_thread::get_id();
            ran = "done";
        });
    }).join();
    processUntil(4);
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

} // namespace
} // namespace tessarin
