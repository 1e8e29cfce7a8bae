#include "Support/QtMainQueue.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace tessarin {

QtMainQueue::QtMainQueue() : context_(std::make_unique<QObject>()) {
    timer_ = new QTimer(context_.get());
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer_, &QTimer::timeout, context_.get(), [this] { drain(); });
    if (auto* app = QCoreApplication::instance()) {
        context_->moveToThread(app->thread());
    }
}

QtMainQueue::~QtMainQueue() = default;

void QtMainQueue::async(std::function<void()> work) {
    asyncAfter(0, WorkItem(std::move(work)));
}

void QtMainQueue::asyncAfter(TimeInterval delay, const WorkItem& item) {
    schedule_.add(uptime() + std::max(0.0, delay), item);
    requestDrain();
}

void QtMainQueue::requestDrain() {
    QMetaObject::invokeMethod(
        context_.get(), [this] { drain(); }, Qt::QueuedConnection);
}

// Runs the work due now that was scheduled before this turn began; work it schedules for now
// gets a later turn, so the event loop keeps serving input and painting in between.
void QtMainQueue::drain() {
    const std::uint64_t turnLimit = schedule_.nextSequence();
    while (auto next = schedule_.takeNextDueBy(uptime(), turnLimit)) {
        next->item.perform();
    }
    armTimer();
}

void QtMainQueue::armTimer() {
    const auto earliest = schedule_.earliestDue();
    if (!earliest) {
        timer_->stop();
        return;
    }
    const TimeInterval wait = std::max(0.0, *earliest - uptime());
    timer_->start(static_cast<int>(std::ceil(wait * 1000.0)));
}

TimeInterval QtMainQueue::absoluteTime() const {
    return clock_.absoluteTime();
}

TimeInterval QtMainQueue::uptime() const {
    return clock_.uptime();
}

} // namespace tessarin
