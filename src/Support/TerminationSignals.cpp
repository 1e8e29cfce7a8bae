#include "Support/TerminationSignals.h"

#include "Support/ProgramTermination.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace tessarin {

namespace {

int signalPipe[2] = {-1, -1};
timer_t graceTimer;
bool hasGraceTimer = false;
itimerspec graceInterval{};
volatile std::sig_atomic_t receivedSignal = 0;
volatile std::sig_atomic_t leftRun = 0;
volatile std::sig_atomic_t listening = 0;
// Before the event loop can hear a signal, the start runs on (its checks end it early) and is
// cut only when it takes five graces; the usual grace runs once the loop can hear it.
itimerspec startInterval{};
constexpr int kStartGraces = 5;
void (*previousInterrupt)(int) = SIG_DFL;
void (*previousTermination)(int) = SIG_DFL;
void (*previousHangUp)(int) = SIG_DFL;

// What was there before comes back; a handler that could not be read gives way to the default.
void restore(int signal, void (*previous)(int)) {
    std::signal(signal, previous == SIG_ERR ? SIG_DFL : previous);
}

// Only async-signal-safe work here: the event loop reads the pipe, and the grace timer ends
// the process should the loop not get to it.
void onSignal(int signal) {
    if (receivedSignal == 0) {
        receivedSignal = signal;
        if (hasGraceTimer && leftRun == 0) {
            ::timer_settime(graceTimer, 0, listening != 0 ? &graceInterval : &startInterval,
                            nullptr);
        }
    }
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

void onGraceExpired(int) {
    ::_exit(128 + receivedSignal);
}

} // namespace

TerminationSignals::TerminationSignals(std::chrono::milliseconds grace) {
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    receivedSignal = 0;
    leftRun = 0;
    listening = 0;
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(grace);
    graceInterval.it_value = {static_cast<time_t>(seconds.count()),
                              static_cast<long>(std::chrono::nanoseconds(grace - seconds).count())};
    const auto start = grace * kStartGraces;
    const auto startSeconds = std::chrono::duration_cast<std::chrono::seconds>(start);
    startInterval.it_value = {
        static_cast<time_t>(startSeconds.count()),
        static_cast<long>(std::chrono::nanoseconds(start - startSeconds).count())};
    sigevent expiry{};
    expiry.sigev_notify = SIGEV_SIGNAL;
    expiry.sigev_signo = SIGALRM;
    hasGraceTimer = ::timer_create(CLOCK_MONOTONIC, &expiry, &graceTimer) == 0;
    std::signal(SIGALRM, onGraceExpired);
    previousInterrupt = std::signal(SIGINT, onSignal);
    previousTermination = std::signal(SIGTERM, onSignal);
    // A closed terminal ends the run as a polite kill does; by default it would cut a settings
    // write short and leave its temporary file behind. A run started to outlive its terminal
    // (nohup) keeps ignoring it.
    previousHangUp = std::signal(SIGHUP, onSignal);
    if (previousHangUp == SIG_IGN) {
        std::signal(SIGHUP, SIG_IGN);
    }
    if (QCoreApplication::instance() != nullptr) {
        listen();
    }
}

void TerminationSignals::listen() {
    if (notifier_ != nullptr || signalPipe[0] < 0) {
        return;
    }
    // A byte written before now is still in the pipe: the notifier fires for it at once, and
    // the usual grace counts from now.
    notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    listening = 1;
    if (receivedSignal != 0 && hasGraceTimer && leftRun == 0) {
        ::timer_settime(graceTimer, 0, &graceInterval, nullptr);
    }
    QObject::connect(notifier_, &QSocketNotifier::activated, this, [] {
        char byte = 0;
        while (::read(signalPipe[0], &byte, 1) > 0) {
        }
        terminateProgram();
    });
}

bool TerminationSignals::received() {
    return receivedSignal != 0;
}

void TerminationSignals::leaveRun() {
    leftRun = 1;
    if (hasGraceTimer) {
        const itimerspec disarmed{};
        ::timer_settime(graceTimer, 0, &disarmed, nullptr);
    }
}

TerminationSignals::~TerminationSignals() {
    restore(SIGINT, previousInterrupt);
    restore(SIGTERM, previousTermination);
    restore(SIGHUP, previousHangUp);
    if (hasGraceTimer) {
        ::timer_delete(graceTimer);
        hasGraceTimer = false;
    }
    std::signal(SIGALRM, SIG_DFL);
    delete notifier_;
    notifier_ = nullptr;
    for (int& end : signalPipe) {
        if (end >= 0) {
            ::close(end);
            end = -1;
        }
    }
}

} // namespace tessarin
