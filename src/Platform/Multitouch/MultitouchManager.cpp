#include "Platform/Multitouch/MultitouchManager.h"

namespace tessarin {

MultitouchManager::MultitouchManager() = default;

MultitouchManager::~MultitouchManager() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

std::optional<uint64_t> MultitouchManager::addListener(MultitouchListener listener) {
    std::lock_guard callbacks(callbackMutex_);
    std::lock_guard lock(mutex_);
    if (refuses_) {
        return std::nullopt;
    }
    const uint64_t token = nextListener_++;
    listeners_.emplace(token, std::move(listener));
    return token;
}

bool MultitouchManager::removeListener(uint64_t listener) {
    std::lock_guard callbacks(callbackMutex_);
    std::lock_guard lock(mutex_);
    return listeners_.erase(listener) > 0;
}

std::size_t MultitouchManager::listenerCount() const {
    std::lock_guard lock(mutex_);
    return listeners_.size();
}

void MultitouchManager::setRefusesListeners(bool refuses) {
    std::lock_guard lock(mutex_);
    refuses_ = refuses;
}

void MultitouchManager::deliver(MultitouchFrame frame) {
    {
        std::lock_guard lock(mutex_);
        frames_.push_back(std::move(frame));
        // The thread starts with the first frame: a process whose trackpad is never touched
        // keeps one thread, and its allocator stays on the single-threaded path.
        if (!thread_.joinable()) {
            thread_ = std::thread([this] { run(); });
        }
    }
    wake_.notify_one();
}

void MultitouchManager::waitUntilDelivered() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return frames_.empty() && !delivering_; });
}

void MultitouchManager::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !frames_.empty(); });
        if (stopping_) {
            return;
        }
        MultitouchFrame frame = std::move(frames_.front());
        frames_.pop_front();
        delivering_ = true;
        lock.unlock();
        {
            std::lock_guard callbacks(callbackMutex_);
            std::vector<MultitouchListener*> current;
            {
                std::lock_guard listeners(mutex_);
                for (auto& [token, listener] : listeners_) {
                    current.push_back(&listener);
                }
            }
            // Listeners change only under `callbackMutex_`, so the pointers stay valid here.
            for (MultitouchListener* listener : current) {
                (*listener)(frame);
            }
        }
        lock.lock();
        delivering_ = false;
        if (frames_.empty()) {
            idle_.notify_all();
        }
    }
}

} // namespace tessarin
