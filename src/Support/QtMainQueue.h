#pragma once

#include "Support/MainQueue.h"

#include <QObject>
#include <memory>

namespace tessarin {

// The program's main queue: work runs on the thread that owns the Qt application object, from
// its event loop. Requires a QCoreApplication (or subclass) to exist.
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
    std::unique_ptr<QObject> context_;
    SystemClock clock_;
};

} // namespace tessarin
