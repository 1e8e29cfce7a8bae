#include "Platform/Program/ProgramActivation.h"

#include <vector>

namespace tessarin {

ProgramActivation::Token ProgramActivation::addObserver(std::function<void(bool)> observer) {
    const Token token = nextToken_++;
    observers_.emplace(token, std::move(observer));
    return token;
}

void ProgramActivation::setActive(bool active) {
    if (active_ == active) {
        return;
    }
    active_ = active;
    // A copy, so an observer may remove itself.
    std::vector<std::function<void(bool)>> observers;
    for (const auto& [token, observer] : observers_) {
        observers.push_back(observer);
    }
    for (const auto& observer : observers) {
        observer(active);
    }
}

} // namespace tessarin
