#include "Support/TerminationSignals.h"

#include <QCoreApplication>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

using namespace std::chrono_literals;

struct SignalCase {
    const char* name;
    int signal;
};

class TerminationSignalsTest : public ::testing::TestWithParam<SignalCase> {};

// Only a failing test waits: a loop the signal did not end is ended after a second.
TEST_P(TerminationSignalsTest, TheSignalEndsTheEventLoop) {
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    TerminationSignals signals(50ms);
    QTimer::singleShot(0, [] { std::raise(GetParam().signal); });
    QTimer::singleShot(1000, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
}

// The main thread never gets back to the loop: the process ends once the grace has passed.
TEST_P(TerminationSignalsTest, ABusyMainThreadStillEndsAfterTheGrace) {
    const int signal = GetParam().signal;
    const auto busy = [signal] {
        TerminationSignals signals(50ms);
        std::raise(signal);
        for (const auto until = std::chrono::steady_clock::now() + 10s;
             std::chrono::steady_clock::now() < until;) {
        }
        std::exit(0);
    };
    EXPECT_EXIT(busy(), ::testing::ExitedWithCode(128 + signal), "");
}

INSTANTIATE_TEST_SUITE_P(Signals, TerminationSignalsTest,
                         ::testing::Values(SignalCase{"SIGTERM", SIGTERM},
                                           SignalCase{"SIGINT", SIGINT}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tessarin
