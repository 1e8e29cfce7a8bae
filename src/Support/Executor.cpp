#include "Support/Executor.h"

namespace tessarin {

ThreadPoolExecutor::ThreadPoolExecutor(std::size_t threadCount) {
    if (threadCount == 0) {
        threadCount = 1;
    }
    for (std::size_t i = 0; i < threadCount; ++i) {
        workers_.emplace_back([this] { workerLoop(); });
    }
}

ThreadPoolExecutor::~ThreadPoolExecutor() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (auto& worker : workers_) {
        worker.join();
    }
}

void ThreadPoolExecutor::execute(std::function<void()> work) {
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(work));
    }
    wake_.notify_one();
}

void ThreadPoolExecutor::workerLoop() {
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (jobs_.empty()) {
                return;
            }
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job();
    }
}

void ManualExecutor::execute(std::function<void()> work) {
    std::lock_guard lock(mutex_);
    jobs_.push_back(std::move(work));
}

std::size_t ManualExecutor::pendingCount() const {
    std::lock_guard lock(mutex_);
    return jobs_.size();
}

bool ManualExecutor::runJob(std::size_t index) {
    std::function<void()> job;
    {
        std::lock_guard lock(mutex_);
        if (index >= jobs_.size()) {
            return false;
        }
        job = std::move(jobs_[index]);
        jobs_.erase(jobs_.begin() + static_cast<std::ptrdiff_t>(index));
    }
    job();
    return true;
}

void ManualExecutor::runAll() {
    while (runJob(0)) {
    }
}

} // namespace tessarin
