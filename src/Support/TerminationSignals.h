#pragma once

#include <QObject>
#include <chrono>

class QSocketNotifier;

namespace tessarin {

// Turns SIGINT, SIGTERM and SIGHUP into the end of the run: the event loop is asked to return (so
// the delegate's stop runs), and when it has not returned `grace` after the signal, because the
// main thread is busy, the process exits at once with status 128 + the signal's number. Settings
// are written as they change, so that exit loses none. One per process; the previous handlers come
// back when it goes.
class TerminationSignals final : public QObject {
public:
    explicit TerminationSignals(std::chrono::milliseconds grace = std::chrono::seconds(2));
    ~TerminationSignals() override;

private:
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace tessarin
