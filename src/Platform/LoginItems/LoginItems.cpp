#include "Platform/LoginItems/LoginItems.h"

namespace tessarin {

void LoginItems::setRegistration(LoginItemRegistration registration, std::string failureMessage) {
    registration_ = registration;
    failureMessage_ = std::move(failureMessage);
}

std::optional<std::string> LoginItems::registerMainApp() {
    ++registerCount_;
    switch (registration_) {
    case LoginItemRegistration::enables:
        status_ = LoginItemStatus::enabled;
        return std::nullopt;
    case LoginItemRegistration::asksApproval:
        status_ = LoginItemStatus::requiresApproval;
        return std::nullopt;
    case LoginItemRegistration::fails:
        return failureMessage_;
    }
    return failureMessage_;
}

std::optional<std::string> LoginItems::unregisterMainApp() {
    if (registration_ == LoginItemRegistration::fails) {
        return failureMessage_;
    }
    status_ = LoginItemStatus::notRegistered;
    return std::nullopt;
}

void LoginItems::approve() {
    if (status_ == LoginItemStatus::requiresApproval) {
        status_ = LoginItemStatus::enabled;
    }
}

} // namespace tessarin
