#include "Support/QtMainQueue.h"
#include "Support/VirtualMainQueue.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace tessarin {
namespace {

struct OrderCase {
    const char* name;
    std::function<void(MainQueue&, std::string&)> schedule;
    const char* expected;
};

const OrderCase kOrderCases[] = {
    {"ZeroDelayThenAsync",
     [](MainQueue& q, std::string& ran) {
         q.asyncAfter(0, [&ran] { ran += "a"; });
         q.async([&ran] { ran += "b"; });
     },
     "ab"},
    {"AsyncThenZeroDelay",
     [](MainQueue& q, std::string& ran) {
         q.async([&ran] { ran += "a"; });
         q.asyncAfter(0, [&ran] { ran += "b"; });
     },
     "ab"},
    {"WorkScheduledByRunningWorkGoesLast",
     [](MainQueue& q, std::string& ran) {
         q.async([&q, &ran] {
             ran += "a";
             q.asyncAfter(0, [&ran] { ran += "c"; });
         });
         q.asyncAfter(0, [&ran] { ran += "b"; });
     },
     "abc"},
};

void PrintTo(const OrderCase& orderCase, std::ostream* os) {
    *os << orderCase.name;
}

// Both queues must keep the one order MainQueue documents, or code tested on the virtual queue
// behaves differently in the program.
class MainQueueOrderTest : public ::testing::TestWithParam<OrderCase> {
protected:
    int argc = 1;
    char name[8] = "test";
    char* argv[2] = {name, nullptr};
    QCoreApplication application{argc, argv};
};

TEST_P(MainQueueOrderTest, VirtualQueue) {
    VirtualMainQueue queue;
    std::string ran;
    GetParam().schedule(queue, ran);
    queue.runUntilIdle();
    EXPECT_EQ(ran, GetParam().expected);
}

TEST_P(MainQueueOrderTest, QtQueue) {
    QtMainQueue queue;
    std::string ran;
    GetParam().schedule(queue, ran);
    const std::string expected = GetParam().expected;
    for (int turn = 0; turn < 1000 && ran.size() < expected.size(); ++turn) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    EXPECT_EQ(ran, expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, MainQueueOrderTest, ::testing::ValuesIn(kOrderCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tessarin
