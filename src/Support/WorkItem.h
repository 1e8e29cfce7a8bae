#pragma once

#include <atomic>
#include <functional>
#include <memory>

namespace tessarin {

// A handle on scheduled work. Cancelling is idempotent and safe from any thread; work that was
// cancelled before its turn never runs. Copies share one state, so whoever keeps a copy can
// cancel what the scheduler holds.
class WorkItem {
public:
    WorkItem() = default;
    explicit WorkItem(std::function<void()> work);

    void cancel() const;
    bool isCancelled() const;
    bool isValid() const { return state_ != nullptr; }
    // Runs the work unless cancelled; used by queues.
    void perform() const;

private:
    struct State {
        std::function<void()> work;
        std::atomic<bool> cancelled{false};
    };
    std::shared_ptr<State> state_;
};

} // namespace tessarin
