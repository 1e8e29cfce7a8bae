#include "Support/TerminationSignals.h"

#include <QCoreApplication>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace tessarin {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct EndingSignal {
    const char* name;
    int signal;
};

void PrintTo(const EndingSignal& row, std::ostream* os) {
    *os << row.name;
}

// Keeps the main thread busy, as a hung program's is.
void spinUntil(Clock::time_point until) {
    while (Clock::now() < until) {
    }
}

class TerminationSignalsLifetimeTest : public ::testing::TestWithParam<EndingSignal> {};

// The grace runs from the first signal: pressing Control-C again while a hung program is ending
// does not postpone its exit, however often it is pressed.
TEST_P(TerminationSignalsLifetimeTest, LaterSignalsDoNotPostponeTheEndOfAHungProgram) {
    const int signal = GetParam().signal;
    const auto hung = [signal] {
        int argc = 1;
        char name[] = "test";
        char* argv[] = {name, nullptr};
        QCoreApplication application(argc, argv); // a program past its start, its loop listening
        TerminationSignals signals(400ms);
        const Clock::time_point first = Clock::now();
        std::raise(signal);
        for (const auto again : {150ms, 250ms, 350ms}) {
            spinUntil(first + again);
            std::raise(signal);
        }
        spinUntil(first + 700ms); // a grace restarted by the last press would end at 750 ms
        std::exit(0);
    };
    EXPECT_EXIT(hung(), ::testing::ExitedWithCode(128 + signal), "");
}

// Once the handler object is gone the signal ends the process as it did before.
TEST_P(TerminationSignalsLifetimeTest, TheSignalEndsTheProcessAsBeforeOnceTheHandlerIsGone) {
    const int signal = GetParam().signal;
    const auto afterwards = [signal] {
        { TerminationSignals signals(50ms); }
        std::raise(signal);
        spinUntil(Clock::now() + 500ms); // a grace timer left behind would exit with a status
        std::exit(0);
    };
    EXPECT_EXIT(afterwards(), ::testing::KilledBySignal(signal), "");
}

INSTANTIATE_TEST_SUITE_P(Signals, TerminationSignalsLifetimeTest,
                         ::testing::Values(EndingSignal{"SIGTERM", SIGTERM},
                                           EndingSignal{"SIGINT", SIGINT}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tessarin
