#pragma once

#include <optional>
#include <string>

namespace tessarin {

enum class LoginItemStatus { notRegistered, enabled, requiresApproval, notFound };

// What the service does when the program asks to start at login.
enum class LoginItemRegistration { enables, asksApproval, fails };

// The login item service for the program's main app. Main-thread only.
class LoginItems {
public:
    LoginItemStatus mainAppStatus() const { return status_; }
    void setMainAppStatus(LoginItemStatus status) { status_ = status; }

    // How the next registrations go; `failureMessage` is the service's text when it refuses.
    void setRegistration(LoginItemRegistration registration, std::string failureMessage);
    LoginItemRegistration registration() const { return registration_; }
    const std::string& failureMessage() const { return failureMessage_; }

    // Registers the main app to start at login. Enabling, or leaving it waiting for the user's
    // approval in System Settings, answers nothing; a refusal answers the service's message and
    // leaves the status as it was.
    std::optional<std::string> registerMainApp();
    int registerCount() const { return registerCount_; }
    // Removes the main app from the login items. A service that refuses registrations refuses
    // this too, answering its message and leaving the status as it was.
    std::optional<std::string> unregisterMainApp();

    // The user approves a waiting login item in System Settings.
    void approve();

private:
    LoginItemStatus status_ = LoginItemStatus::notRegistered;
    LoginItemRegistration registration_ = LoginItemRegistration::enables;
    std::string failureMessage_ =
        "The operation couldn\u2019t be completed. Operation not permitted";
    int registerCount_ = 0;
};

} // namespace tessarin
