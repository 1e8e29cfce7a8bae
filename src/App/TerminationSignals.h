#pragma once

#include <QObject>

class QSocketNotifier;

namespace tessarin {

// Turns SIGINT and SIGTERM into a normal quit of the event loop, so the delegate's stop runs.
// One per process; the previous handlers come back when it goes.
class TerminationSignals final : public QObject {
public:
    TerminationSignals();
    ~TerminationSignals() override;

private:
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace tessarin
