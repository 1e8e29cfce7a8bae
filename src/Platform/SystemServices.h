#pragma once

#include "Platform/OperatingSystemVersion.h"
#include "Platform/RunningApplication.h"
#include "Platform/SystemAlert.h"
#include "Platform/WorkspaceNotificationCenter.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

enum class Appearance { light, dark };

// The system facts and services that are not windows or displays: privacy permissions, the
// system version, sounds, alerts, URL opening, running applications and the appearance.
// Main-thread only.
class SystemServices {
public:
    explicit SystemServices(WorkspaceNotificationCenter& notifications);

    // Accessibility trust and screen-capture permission; switchable at run time.
    bool isProcessTrusted() const { return processTrusted_; }
    void setProcessTrusted(bool trusted) { processTrusted_ = trusted; }
    bool preflightScreenCaptureAccess() const { return screenCaptureAllowed_; }
    void setScreenCaptureAccess(bool allowed) { screenCaptureAllowed_ = allowed; }

    const OperatingSystemVersion& operatingSystemVersion() const { return version_; }
    void setOperatingSystemVersion(const OperatingSystemVersion& version) { version_ = version; }

    void beep() { ++beepCount_; }
    int beepCount() const { return beepCount_; }

    // Shows a modal alert: records it and answers with the next scripted response, or with
    // the first button when nothing is scripted.
    int runModalAlert(const SystemAlert& alert);
    void scriptAlertResponse(int response) { scriptedResponses_.push_back(response); }
    const std::vector<SystemAlert>& shownAlerts() const { return shownAlerts_; }
    std::size_t pendingScriptedResponses() const { return scriptedResponses_.size(); }

    // Records the URL; answers false while URL opening is made to fail.
    bool openURL(const std::string& url);
    const std::vector<std::string>& openedURLs() const { return openedURLs_; }
    void setOpensURLs(bool opens) { opensURLs_ = opens; }

    // Running applications, in launch order. Adding one with a process identifier that is
    // already known replaces it.
    void addRunningApplication(const RunningApplication& application);
    void removeRunningApplication(int32_t processIdentifier);
    const std::vector<RunningApplication>& runningApplications() const { return applications_; }
    std::optional<RunningApplication> runningApplication(int32_t processIdentifier) const;
    std::optional<RunningApplication>
    runningApplicationWithBundleIdentifier(const std::string& bundleIdentifier) const;
    std::optional<RunningApplication> frontmostApplication() const;
    // Makes the application frontmost and posts the activation notification when that
    // changed anything; false for an unknown process.
    bool activate(int32_t processIdentifier);
    // Sets the frontmost application without telling anyone (how a run starts).
    void setFrontmostApplication(std::optional<int32_t> processIdentifier) {
        frontmostProcessIdentifier_ = processIdentifier;
    }

    // The machine woke from sleep: posts the wake notification.
    void systemDidWake();

    Appearance appearance() const { return appearance_; }
    // A change posts the appearance notification; setting the current value posts nothing.
    void setAppearance(Appearance appearance);
    // How the run starts: no notification.
    void setInitialAppearance(Appearance appearance) { appearance_ = appearance; }

private:
    WorkspaceNotificationCenter& notifications_;
    bool processTrusted_ = true;
    bool screenCaptureAllowed_ = true;
    OperatingSystemVersion version_{15, 0, 0};
    int beepCount_ = 0;
    std::deque<int> scriptedResponses_;
    std::vector<SystemAlert> shownAlerts_;
    std::vector<std::string> openedURLs_;
    bool opensURLs_ = true;
    std::vector<RunningApplication> applications_;
    std::optional<int32_t> frontmostProcessIdentifier_;
    Appearance appearance_ = Appearance::light;
};

} // namespace tessarin
