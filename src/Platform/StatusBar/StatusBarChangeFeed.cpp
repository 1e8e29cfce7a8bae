#include "Platform/StatusBar/StatusBarChangeFeed.h"

#include <vector>

namespace tessarin {

StatusBarChangeFeed::Token StatusBarChangeFeed::addObserver(std::function<void()> observer) {
    const Token token = nextToken_++;
    observers_.emplace(token, std::move(observer));
    return token;
}

void StatusBarChangeFeed::removeObserver(Token token) {
    observers_.erase(token);
}

// A copy, so an observer may remove itself or others while being told.
void StatusBarChangeFeed::notify() const {
    std::vector<std::function<void()>> observers;
    observers.reserve(observers_.size());
    for (const auto& [token, observer] : observers_) {
        observers.push_back(observer);
    }
    for (const auto& observer : observers) {
        observer();
    }
}

} // namespace tessarin
