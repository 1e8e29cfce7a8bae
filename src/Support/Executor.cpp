#include "Support/Executor.h"

namespace tessarin {

ThreadPoolExecutor::ThreadPoolExecutor(std::size_t threadCount)
    : threadCount_(threadCount == 0 ? 1 : threadCount), state_(std::make_shared<State>()) {}

void ThreadPoolExecutor::startWorkersOnce() {
    std::call_once(started_, [this] {
        for (std::size_t i = 0; i < threadCount_; ++i) {
            workers_.emplace_back([state = state_] { workerLoop(*state); });
        }
    });
}

ThreadPoolExecutor::~ThreadPoolExecutor() {
    {
        std::lock_guard lock(state_->mutex);
        state_->stopping = true;
    }
    state_->wake.notify_all();
    for (auto& worker : workers_) {
        // A job that held the last owner destroys the pool on its own worker, which cannot
        // join itself.
        if (worker.get_id() == std::this_thread::get_id()) {
            worker.detach();
        } else {
            worker.join();
        }
    }
}

void ThreadPoolExecutor::execute(std::function<void()> work) {
    startWorkersOnce();
    {
        std::lock_guard lock(state_->mutex);
        state_->jobs.push_back(std::move(work));
    }
    state_->wake.notify_one();
}

void ThreadPoolExecutor::workerLoop(State& state) {
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock lock(state.mutex);
            state.wake.wait(lock, [&] { return state.stopping || !state.jobs.empty(); });
            if (state.jobs.empty()) {
                return;
            }
            job = std::move(state.jobs.front());
            state.jobs.pop_front();
        }
        job();
        // Destroyed outside the lock: the job may hold the last owner of the pool.
        job = nullptr;
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
