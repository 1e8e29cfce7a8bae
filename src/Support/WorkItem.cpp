#include "Support/WorkItem.h"

namespace tessarin {

WorkItem::WorkItem(std::function<void()> work) : state_(std::make_shared<State>()) {
    state_->work = std::move(work);
}

void WorkItem::cancel() const {
    if (state_) {
        state_->cancelled = true;
    }
}

bool WorkItem::isCancelled() const {
    return !state_ || state_->cancelled;
}

void WorkItem::perform() const {
    if (state_ && !state_->cancelled && state_->work) {
        state_->work();
    }
}

} // namespace tessarin
