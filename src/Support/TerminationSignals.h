#pragma once

#include <QObject>
#include <chrono>

class QSocketNotifier;

namespace tessarin {

// Turns SIGINT, SIGTERM and SIGHUP into the end of the run: the event loop is asked to return (so
// the delegate's stop runs), and when it has not returned `grace` after the signal, because the
// main thread is busy, the process exits at once with status 128 + the signal's number. A run on
// its way out (its loop has returned) is never cut: it is ending already. Settings are written
// by their store's own thread as they change, so that exit loses none. The signals are taken
// over as it is made, before the event loop is, so a signal during a slow start ends the run as
// soon as its loop runs: a start signalled before then is cut after five graces (10 s) at the
// latest, and the usual grace counts from when the loop can hear it. One per process; the previous
// handlers come back when it goes.
class TerminationSignals final : public QObject {
public:
    // Listens at once when the application is made already.
    explicit TerminationSignals(std::chrono::milliseconds grace = std::chrono::seconds(2));
    ~TerminationSignals() override;

    // Hands the signals, any that came before included, to the application's event loop.
    void listen();
    // The loop has returned: what is left is the orderly end, which no signal cuts short.
    void leaveRun();
    // Whether a signal asked the run to end: a start checks it after its slow part, so a run
    // asked to end before it has changed anything ends at once, as a finished run does.
    static bool received();

private:
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace tessarin
