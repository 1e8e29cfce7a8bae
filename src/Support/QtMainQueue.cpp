#include "Support/QtMainQueue.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QTimer>
#include <cmath>

namespace tessarin {

QtMainQueue::QtMainQueue() : context_(std::make_unique<QObject>()) {
    if (auto* app = QCoreApplication::instance()) {
        context_->moveToThread(app->thread());
    }
}

QtMainQueue::~QtMainQueue() = default;

void QtMainQueue::async(std::function<void()> work) {
    QMetaObject::invokeMethod(context_.get(), std::move(work), Qt::QueuedConnection);
}

void QtMainQueue::asyncAfter(TimeInterval delay, const WorkItem& item) {
    // Work due now joins the same posted-event stream as `async`, so it keeps its turn; a
    // zero-length timer would let later posts overtake it.
    if (delay <= 0) {
        async([item] { item.perform(); });
        return;
    }
    const int milliseconds = static_cast<int>(std::ceil(delay * 1000.0));
    QObject* context = context_.get();
    // Timers must be started on the context's thread, so hop there first.
    QMetaObject::invokeMethod(
        context,
        [context, milliseconds, item] {
            QTimer::singleShot(milliseconds, Qt::PreciseTimer, context, [item] { item.perform(); });
        },
        Qt::QueuedConnection);
}

TimeInterval QtMainQueue::absoluteTime() const {
    return clock_.absoluteTime();
}

TimeInterval QtMainQueue::uptime() const {
    return clock_.uptime();
}

} // namespace tessarin
