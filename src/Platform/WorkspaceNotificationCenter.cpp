#include "Platform/WorkspaceNotificationCenter.h"

#include <algorithm>
#include <deque>
#include <utility>

namespace tessarin {

struct WorkspaceNotificationCenter::Token::State {
    struct Entry {
        std::string name;
        // Shared so that a delivery in progress keeps the block alive while it runs.
        std::shared_ptr<Observer> observer;
    };
    mutable std::mutex mutex;
    std::map<std::uint64_t, Entry> observers;
    std::uint64_t nextID = 1;
    std::deque<WorkspaceNotification> recent;
    // One counter per name: the program posts a handful of names, however long it runs.
    std::map<std::string, std::size_t> postedCounts;

    void remember(const WorkspaceNotification& notification) {
        ++postedCounts[notification.name];
        recent.push_back(notification);
        if (recent.size() > kRecentHistoryLimit) {
            recent.pop_front();
        }
    }

    void remove(std::uint64_t id) {
        std::lock_guard lock(mutex);
        observers.erase(id);
    }
};

WorkspaceNotificationCenter::Token::Token(Token&& other) noexcept
    : center_(std::move(other.center_)), id_(std::exchange(other.id_, 0)) {}

WorkspaceNotificationCenter::Token&
WorkspaceNotificationCenter::Token::operator=(Token&& other) noexcept {
    if (this != &other) {
        remove();
        center_ = std::move(other.center_);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

WorkspaceNotificationCenter::Token::~Token() {
    remove();
}

void WorkspaceNotificationCenter::Token::remove() {
    if (id_ == 0) {
        return;
    }
    if (auto state = center_.lock()) {
        state->remove(id_);
    }
    id_ = 0;
    center_.reset();
}

bool WorkspaceNotificationCenter::Token::isActive() const {
    if (id_ == 0) {
        return false;
    }
    auto state = center_.lock();
    if (!state) {
        return false;
    }
    std::lock_guard lock(state->mutex);
    return state->observers.count(id_) != 0;
}

WorkspaceNotificationCenter::WorkspaceNotificationCenter(MainQueue& queue)
    : queue_(queue), state_(std::make_shared<Token::State>()) {}

WorkspaceNotificationCenter::~WorkspaceNotificationCenter() = default;

WorkspaceNotificationCenter::Token WorkspaceNotificationCenter::addObserver(const std::string& name,
                                                                            Observer observer) {
    std::lock_guard lock(state_->mutex);
    const std::uint64_t id = state_->nextID++;
    state_->observers.emplace(
        id, Token::State::Entry{name, std::make_shared<Observer>(std::move(observer))});
    return Token(state_, id);
}

void WorkspaceNotificationCenter::post(WorkspaceNotification notification) {
    std::vector<std::uint64_t> recipients;
    {
        std::lock_guard lock(state_->mutex);
        state_->remember(notification);
        for (const auto& [id, entry] : state_->observers) {
            if (entry.name.empty() || entry.name == notification.name) {
                recipients.push_back(id);
            }
        }
    }
    if (recipients.empty()) {
        return;
    }
    std::weak_ptr<Token::State> weakState = state_;
    queue_.async(
        [weakState, recipients = std::move(recipients), notification = std::move(notification)] {
            for (const std::uint64_t id : recipients) {
                auto state = weakState.lock();
                if (!state) {
                    return;
                }
                std::shared_ptr<Observer> observer;
                {
                    std::lock_guard lock(state->mutex);
                    const auto it = state->observers.find(id);
                    if (it == state->observers.end()) {
                        continue;
                    }
                    observer = it->second.observer;
                }
                state.reset();
                (*observer)(notification);
            }
        });
}

std::vector<WorkspaceNotification> WorkspaceNotificationCenter::recentNotifications() const {
    std::lock_guard lock(state_->mutex);
    return {state_->recent.begin(), state_->recent.end()};
}

std::size_t WorkspaceNotificationCenter::postedCount(const std::string& name) const {
    std::lock_guard lock(state_->mutex);
    const auto found = state_->postedCounts.find(name);
    return found == state_->postedCounts.end() ? 0 : found->second;
}

std::size_t WorkspaceNotificationCenter::observerCount(const std::string& name) const {
    std::lock_guard lock(state_->mutex);
    return static_cast<std::size_t>(
        std::count_if(state_->observers.begin(), state_->observers.end(),
                      [&](const auto& entry) { return entry.second.name == name; }));
}

} // namespace tessarin
