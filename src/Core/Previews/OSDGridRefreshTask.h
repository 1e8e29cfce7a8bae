#pragma once

#include <atomic>
#include <memory>

namespace tessarin {

// The handle of one running refresh; copies share it, and cancelling it makes the refresh drop
// its result when it comes back.
class OSDGridRefreshTask {
public:
    void cancel() const { state_->store(true); }
    bool isCancelled() const { return state_->load(); }

private:
    std::shared_ptr<std::atomic<bool>> state_ = std::make_shared<std::atomic<bool>>(false);
};

} // namespace tessarin
