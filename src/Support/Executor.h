#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace tessarin {

// Where work that leaves the main queue runs (window-list scans, captures). Results come back
// through MainQueue::async.
class Executor {
public:
    virtual ~Executor() = default;
    virtual void execute(std::function<void()> work) = 0;
};

// A small pool of worker threads for the program, started by its first job, so an owner that
// never submits work costs no threads. Destroying it lets queued jobs finish and
// waits for the workers, except that a job may hold the last owner of its pool: the worker
// that destroys the pool is then let go instead of joined, and ends when its job returns.
class ThreadPoolExecutor final : public Executor {
public:
    explicit ThreadPoolExecutor(std::size_t threadCount = 2);
    ~ThreadPoolExecutor() override;
    ThreadPoolExecutor(const ThreadPoolExecutor&) = delete;
    ThreadPoolExecutor& operator=(const ThreadPoolExecutor&) = delete;

    void execute(std::function<void()> work) override;

private:
    // Shared with the workers, so a worker let go by the destructor outlives the pool safely.
    struct State {
        std::mutex mutex;
        std::condition_variable wake;
        std::deque<std::function<void()>> jobs;
        bool stopping = false;
    };
    static void workerLoop(State& state);
    void startWorkersOnce();

    std::size_t threadCount_;
    std::shared_ptr<State> state_;
    std::once_flag started_;
    std::vector<std::thread> workers_;
};

// Holds submitted work until a test releases it, one job at a time and in any order, so that
// completions can be made to race deterministically.
class ManualExecutor final : public Executor {
public:
    void execute(std::function<void()> work) override;

    std::size_t pendingCount() const;
    // Runs the job at `index` (0 = oldest); false when there is none.
    bool runJob(std::size_t index = 0);
    // Runs jobs until none is left, including jobs submitted meanwhile.
    void runAll();

private:
    mutable std::mutex mutex_;
    std::deque<std::function<void()>> jobs_;
};

} // namespace tessarin
