#include "Support/TerminationSignals.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>
#include <ostream>

namespace tessarin {
namespace {

using namespace std::chrono_literals;

struct SignalCase {
    const char* name;
    int signal;
};

// CTest's listing names the row, not its bytes.
void PrintTo(const SignalCase& row, std::ostream* out) {
    *out << row.name;
}

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

// Taken over before the application is made (a start's slow part comes first): a signal then is
// noted, so the start can stop, and ends the loop once there is one, never by the signal's
// default.
TEST_P(TerminationSignalsTest, ASignalBeforeTheApplicationEndsItsLoopOnceItRuns) {
    TerminationSignals signals(10s);
    EXPECT_FALSE(TerminationSignals::received());
    std::raise(GetParam().signal);
    EXPECT_TRUE(TerminationSignals::received());
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    signals.listen();
    QTimer::singleShot(1000, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
}

// A start signalled before its loop can hear it runs on for longer than the grace (its checks end
// it early), and is cut only after five graces.
TEST_P(TerminationSignalsTest, AStartSignalledBeforeItsLoopIsCutOnlyAfterFiveGraces) {
    const int signal = GetParam().signal;
    const auto busyFor = [signal](std::chrono::milliseconds busy) {
        TerminationSignals signals(100ms);
        std::raise(signal);
        for (const auto until = std::chrono::steady_clock::now() + busy;
             std::chrono::steady_clock::now() < until;) {
        }
        std::exit(0);
    };
    EXPECT_EXIT(busyFor(250ms), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(busyFor(10s), ::testing::ExitedWithCode(128 + signal), "");
}

// A run on its way out (its loop has returned) is never cut, however long its end takes.
TEST_P(TerminationSignalsTest, ARunOnItsWayOutIsNotCut) {
    const int signal = GetParam().signal;
    const auto leaving = [signal] {
        TerminationSignals signals(50ms);
        signals.leaveRun();
        std::raise(signal);
        for (const auto until = std::chrono::steady_clock::now() + 300ms;
             std::chrono::steady_clock::now() < until;) {
        }
        std::exit(0);
    };
    EXPECT_EXIT(leaving(), ::testing::ExitedWithCode(0), "");
}

// A modal alert shown while quitting runs a loop of its own: the signal, handled once, must not
// end that loop too.
TEST_P(TerminationSignalsTest, ALoopStartedAfterTheSignalIsHandledRunsItsCourse) {
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    TerminationSignals signals(10s);
    QTimer::singleShot(0, [] { std::raise(GetParam().signal); });
    ASSERT_EQ(QCoreApplication::exec(), 0);
    QEventLoop modal;
    QTimer::singleShot(100, &modal, [&modal] { modal.exit(7); });
    EXPECT_EQ(modal.exec(), 7);
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

// A run started to outlive its terminal (nohup) is not ended when the terminal closes, and the
// disposition found comes back when the handlers go.
TEST(TerminationSignalsHangUpTest, AnIgnoredHangUpStaysIgnored) {
    const auto disposition = [] {
        struct sigaction current {};
        ::sigaction(SIGHUP, nullptr, &current);
        return current.sa_handler;
    };
    for (const auto found : {SIG_IGN, SIG_DFL}) {
        std::signal(SIGHUP, found);
        {
            TerminationSignals signals(50ms);
            if (found == SIG_IGN) {
                EXPECT_EQ(disposition(), SIG_IGN);
            } else {
                EXPECT_NE(disposition(), SIG_DFL);
            }
        }
        EXPECT_EQ(disposition(), found);
    }
}

void recordSignal(int) {}

// A handler someone installed before the run is theirs again when the run's handlers go.
TEST_P(TerminationSignalsTest, TheHandlerFoundBeforeComesBack) {
    const int signal = GetParam().signal;
    const auto disposition = [signal] {
        struct sigaction current {};
        ::sigaction(signal, nullptr, &current);
        return current.sa_handler;
    };
    std::signal(signal, recordSignal);
    {
        TerminationSignals signals(50ms);
        EXPECT_NE(disposition(), recordSignal);
    }
    EXPECT_EQ(disposition(), recordSignal);
    std::signal(signal, SIG_DFL);
}

INSTANTIATE_TEST_SUITE_P(Signals, TerminationSignalsTest,
                         ::testing::Values(SignalCase{"SIGTERM", SIGTERM},
                                           SignalCase{"SIGINT", SIGINT},
                                           SignalCase{"SIGHUP", SIGHUP}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tessarin
