#include "Platform/Privacy/PrivacyDatabase.h"

namespace tessarin {

bool PrivacyDatabase::isKnownService(std::string_view service) {
    return service == PrivacyService::accessibility || service == PrivacyService::screenCapture;
}

std::optional<bool> PrivacyDatabase::decision(const std::string& service,
                                              const std::string& bundleIdentifier) const {
    const auto it = decisions_.find({service, bundleIdentifier});
    if (it == decisions_.end()) {
        return std::nullopt;
    }
    return it->second;
}

bool PrivacyDatabase::setDecision(const std::string& service, const std::string& bundleIdentifier,
                                  bool allowed) {
    if (!isKnownService(service)) {
        return false;
    }
    decisions_[{service, bundleIdentifier}] = allowed;
    notify();
    return true;
}

bool PrivacyDatabase::reset(const std::string& service, const std::string& bundleIdentifier) {
    if (!isKnownService(service)) {
        return false;
    }
    if (decisions_.erase({service, bundleIdentifier}) > 0) {
        notify();
    }
    return true;
}

PrivacyDatabase::ObserverToken PrivacyDatabase::addObserver(std::function<void()> observer) {
    const ObserverToken token = nextObserverToken_++;
    observers_.emplace(token, std::move(observer));
    return token;
}

void PrivacyDatabase::removeObserver(ObserverToken token) {
    observers_.erase(token);
}

void PrivacyDatabase::notify() const {
    // A copy: an observer may add or remove observers.
    const auto observers = observers_;
    for (const auto& [token, observer] : observers) {
        observer();
    }
}

} // namespace tessarin
