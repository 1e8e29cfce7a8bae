#pragma once

#include "Support/MainQueue.h"
#include "Support/WorkSchedule.h"

#include <QObject>
#include <memory>

class QTimer;

namespace tessarin {

// The program's main queue: work runs on the thread that owns the Qt application object, from
// its event loop. Requires a QCoreApplication (or subclass) to exist. Work waits in the same
// schedule as on the virtual queue, so both keep one order; one timer wakes the loop for the
// earliest item.
class QtMainQueue final : public MainQueue {
public:
    QtMainQueue();
    ~QtMainQueue() override;

    void async(std::function<void()> work) override;
    void asyncAfter(TimeInterval delay, const WorkItem& item) override;
    using MainQueue::asyncAfter;

    TimeInterval absoluteTime() const override;
    TimeInterval uptime() const override;

private:
    void requestDrain();
    void drain();
    void armTimer();

    SystemClock clock_;
    WorkSchedule schedule_;
    // Last, so it goes first: its posted calls into this queue are dropped with it.
    std::unique_ptr<QObject> context_;
    QTimer* timer_ = nullptr; // a child of the context
};

} // namespace tessarin
