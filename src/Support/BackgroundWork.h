#pragma once

#include "Support/Executor.h"
#include "Support/MainQueue.h"

#include <functional>
#include <memory>
#include <mutex>
#include <utility>

namespace tessarin {

// Runs work off the main queue and hands each result back to it.
//
// Shutdown order: make it after the queue it posts to and destroy it before, on the queue's
// thread. Its destructor first closes, so a job that has not started never runs and a job that
// finishes later posts nothing; then it lets go of its executor, which for a thread pool waits
// for the jobs still running. A result posted but not yet delivered is dropped, since whoever
// asked for it may be gone as well.
class BackgroundWork {
public:
    BackgroundWork(MainQueue& queue, std::shared_ptr<Executor> executor);
    ~BackgroundWork();
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

    // Runs `work` on the executor, then `deliver` with its result on the main queue.
    template <typename Result>
    void run(std::function<Result()> work, std::function<void(Result)> deliver) {
        executor_->execute([gate = gate_, work = std::move(work), deliver = std::move(deliver)] {
            if (!gate->isOpen()) {
                return;
            }
            auto result = std::make_shared<Result>(work());
            gate->post([gate, deliver, result] {
                if (gate->isOpen()) {
                    deliver(std::move(*result));
                }
            });
        });
    }

    // A completion that another service calls on its own thread, made to run `deliver` on the
    // main queue instead; after shutdown it delivers nothing.
    template <typename Result>
    std::function<void(Result)> onMainQueue(std::function<void(Result)> deliver) {
        return [gate = gate_, deliver = std::move(deliver)](Result result) {
            auto shared = std::make_shared<Result>(std::move(result));
            gate->post([gate, deliver, shared] {
                if (gate->isOpen()) {
                    deliver(std::move(*shared));
                }
            });
        };
    }

private:
    // The way back to the queue, shared with the jobs; closed when the owner goes.
    class Gate {
    public:
        explicit Gate(MainQueue& queue) : queue_(&queue) {}
        bool isOpen() const;
        // Posts unless closed. Closing waits for a post in progress, so after `close` returns
        // nothing reaches the queue.
        void post(std::function<void()> work);
        void close();

    private:
        mutable std::mutex mutex_;
        MainQueue* queue_; // none once closed
    };

    std::shared_ptr<Gate> gate_;
    std::shared_ptr<Executor> executor_;
};

} // namespace tessarin
