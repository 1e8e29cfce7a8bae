#pragma once

#include "Support/MainQueue.h"
#include "Support/ThreadAffinity.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <utility>

namespace tessarin {

// Ends a subscription when destroyed (or on `cancel`). Move-only.
class Subscription {
public:
    Subscription() = default;
    explicit Subscription(std::function<void()> cancel) : cancel_(std::move(cancel)) {}
    Subscription(Subscription&& other) noexcept : cancel_(std::exchange(other.cancel_, {})) {}
    Subscription& operator=(Subscription&& other) noexcept {
        if (this != &other) {
            cancel();
            cancel_ = std::exchange(other.cancel_, {});
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { cancel(); }

    void cancel() {
        if (auto c = std::exchange(cancel_, {})) {
            c();
        }
    }
    bool isActive() const { return static_cast<bool>(cancel_); }

private:
    std::function<void()> cancel_;
};

// A published value. Subscribers hear of every change on a later turn of the main queue, never
// inside the setter, so a store's edit finishes before anyone re-reads it. A subscriber that
// cancels before its turn hears nothing more.
//
// Not synchronised: make it, read it, set it, subscribe and cancel on the main queue's thread
// only. Debug builds abort when a thread other than the one that made it touches it.
template <typename T> class Published {
public:
    using Callback = std::function<void(const T&)>;

    explicit Published(T initial = T{}) : value_(std::move(initial)) {}
    Published(const Published&) = delete;
    Published& operator=(const Published&) = delete;
    ~Published() {
        affinity_.check();
        for (auto& [id, entry] : subscribers_) {
            *entry.alive = false;
        }
    }

    const T& value() const {
        affinity_.check();
        return value_;
    }
    const T& operator()() const { return value(); }

    // Stores the value and notifies every subscriber, even when it did not change (revision
    // counters always change; flags may be re-sent).
    void set(T newValue) {
        affinity_.check();
        value_ = std::move(newValue);
        for (auto& [id, entry] : subscribers_) {
            deliver(entry, value_);
        }
    }

    // With `deliverCurrent`, the current value is delivered once on the next turn as well.
    [[nodiscard]] Subscription subscribe(Callback callback, bool deliverCurrent = false) {
        affinity_.check();
        const std::uint64_t id = nextId_++;
        Entry entry{std::make_shared<Callback>(std::move(callback)), std::make_shared<bool>(true)};
        if (deliverCurrent) {
            deliver(entry, value_);
        }
        auto alive = entry.alive;
        subscribers_.emplace(id, std::move(entry));
        return Subscription([this, id, alive] {
            if (!*alive) {
                return;
            }
            affinity_.check();
            auto found = subscribers_.find(id);
            if (found != subscribers_.end()) {
                *found->second.alive = false;
                subscribers_.erase(found);
            }
        });
    }

    std::size_t subscriberCount() const {
        affinity_.check();
        return subscribers_.size();
    }

private:
    struct Entry {
        std::shared_ptr<Callback> callback;
        std::shared_ptr<bool> alive;
    };

    static void deliver(const Entry& entry, const T& value) {
        MainQueue::main().async([callback = entry.callback, alive = entry.alive, value] {
            if (*alive) {
                (*callback)(value);
            }
        });
    }

    ThreadAffinity affinity_{"Published"};
    T value_;
    std::map<std::uint64_t, Entry> subscribers_;
    std::uint64_t nextId_ = 0;
};

} // namespace tessarin
