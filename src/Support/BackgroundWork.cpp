#include "Support/BackgroundWork.h"

namespace tessarin {

BackgroundWork::BackgroundWork(MainQueue& queue, std::shared_ptr<Executor> executor)
    : gate_(std::make_shared<Gate>(queue)), executor_(std::move(executor)) {}

BackgroundWork::~BackgroundWork() {
    // Closed before the executor goes: a pool joins its workers only after none can post.
    gate_->close();
    executor_.reset();
}

bool BackgroundWork::Gate::isOpen() const {
    std::lock_guard lock(mutex_);
    return queue_ != nullptr;
}

void BackgroundWork::Gate::post(std::function<void()> work) {
    std::lock_guard lock(mutex_);
    if (queue_ != nullptr) {
        queue_->async(std::move(work));
    }
}

void BackgroundWork::Gate::close() {
    std::lock_guard lock(mutex_);
    queue_ = nullptr;
}

} // namespace tessarin
