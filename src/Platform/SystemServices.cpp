#include "Platform/SystemServices.h"

#include "Platform/Privacy/PrivacyDatabase.h"
#include "Platform/Program/ProgramBundle.h"

#include <algorithm>

namespace tessarin {

SystemServices::SystemServices(WorkspaceNotificationCenter& notifications, PrivacyDatabase& privacy,
                               const ProgramBundle& program)
    : notifications_(notifications), privacy_(privacy), program_(program) {}

bool SystemServices::isProcessTrusted() const {
    return privacy_.isAllowed(PrivacyService::accessibility, program_.resolvedIdentifier());
}

void SystemServices::setProcessTrusted(bool trusted) {
    privacy_.setDecision(PrivacyService::accessibility, program_.resolvedIdentifier(), trusted);
}

bool SystemServices::preflightScreenCaptureAccess() const {
    return privacy_.isAllowed(PrivacyService::screenCapture, program_.resolvedIdentifier());
}

void SystemServices::setScreenCaptureAccess(bool allowed) {
    privacy_.setDecision(PrivacyService::screenCapture, program_.resolvedIdentifier(), allowed);
}

void SystemServices::setAppearance(Appearance appearance) {
    if (appearance == appearance_) {
        return;
    }
    appearance_ = appearance;
    notifications_.post(WorkspaceNotificationName::appearanceDidChange);
}

int SystemServices::runModalAlert(const SystemAlert& alert) {
    shownAlerts_.push_back(alert);
    if (scriptedResponses_.empty()) {
        return alertPresenter_ ? alertPresenter_(alert) : AlertResponse::firstButton;
    }
    const int response = scriptedResponses_.front();
    scriptedResponses_.pop_front();
    return response;
}

bool SystemServices::openURL(const std::string& url) {
    openedURLs_.push_back(url);
    if (!opensURLs_) {
        return false;
    }
    for (const auto& handler : urlHandlers_) {
        if (handler(url)) {
            break;
        }
    }
    return true;
}

void SystemServices::addURLHandler(std::function<bool(const std::string&)> handler) {
    urlHandlers_.push_back(std::move(handler));
}

void SystemServices::addRunningApplication(const RunningApplication& application) {
    const auto it = std::find_if(applications_.begin(), applications_.end(), [&](const auto& a) {
        return a.processIdentifier == application.processIdentifier;
    });
    if (it != applications_.end()) {
        *it = application;
    } else {
        applications_.push_back(application);
    }
}

void SystemServices::removeRunningApplication(int32_t processIdentifier) {
    std::erase_if(applications_,
                  [&](const auto& a) { return a.processIdentifier == processIdentifier; });
    if (frontmostProcessIdentifier_ == processIdentifier) {
        frontmostProcessIdentifier_.reset();
    }
}

std::optional<RunningApplication>
SystemServices::runningApplication(int32_t processIdentifier) const {
    const auto it = std::find_if(applications_.begin(), applications_.end(), [&](const auto& a) {
        return a.processIdentifier == processIdentifier;
    });
    if (it == applications_.end()) {
        return std::nullopt;
    }
    return *it;
}

std::optional<RunningApplication>
SystemServices::runningApplicationWithBundleIdentifier(const std::string& bundleIdentifier) const {
    const auto it = std::find_if(applications_.begin(), applications_.end(), [&](const auto& a) {
        return a.bundleIdentifier == bundleIdentifier;
    });
    if (it == applications_.end()) {
        return std::nullopt;
    }
    return *it;
}

std::optional<RunningApplication> SystemServices::frontmostApplication() const {
    if (!frontmostProcessIdentifier_) {
        return std::nullopt;
    }
    return runningApplication(*frontmostProcessIdentifier_);
}

void SystemServices::hideOtherApplications() {
    for (const RunningApplication& application : applications_) {
        hiddenProcessIdentifiers_.insert(application.processIdentifier);
    }
}

void SystemServices::unhideAllApplications() {
    hiddenProcessIdentifiers_.clear();
}

bool SystemServices::activate(int32_t processIdentifier) {
    const auto application = runningApplication(processIdentifier);
    if (!application) {
        return false;
    }
    hiddenProcessIdentifiers_.erase(processIdentifier);
    if (frontmostProcessIdentifier_ == processIdentifier) {
        return true;
    }
    frontmostProcessIdentifier_ = processIdentifier;
    notifications_.post({WorkspaceNotificationName::didActivateApplication, application});
    return true;
}

void SystemServices::systemDidWake() {
    notifications_.post(WorkspaceNotificationName::didWake);
}

} // namespace tessarin
