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
    return true;
}

bool PrivacyDatabase::reset(const std::string& service, const std::string& bundleIdentifier) {
    if (!isKnownService(service)) {
        return false;
    }
    decisions_.erase({service, bundleIdentifier});
    return true;
}

} // namespace tessarin
