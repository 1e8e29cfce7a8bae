#pragma once

#include "Platform/OperatingSystemVersion.h"
#include "Platform/RunningApplication.h"
#include "Platform/SystemAlert.h"
#include "Platform/WorkspaceNotificationCenter.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tessarin {

class PrivacyDatabase;
class ProgramBundle;

enum class Appearance { light, dark };

// The system facts and services that are not windows or displays: privacy permissions, the
// system version, sounds, alerts, URL opening, running applications and the appearance.
// Main-thread only.
class SystemServices {
public:
    SystemServices(WorkspaceNotificationCenter& notifications, PrivacyDatabase& privacy,
                   const ProgramBundle& program);

    // The program's Accessibility trust and screen-capture permission: its decisions in the
    // privacy database; the setters record a decision, as the user's choice would.
    bool isProcessTrusted() const;
    void setProcessTrusted(bool trusted);
    bool preflightScreenCaptureAccess() const;
    void setScreenCaptureAccess(bool allowed);

    const OperatingSystemVersion& operatingSystemVersion() const { return version_; }
    void setOperatingSystemVersion(const OperatingSystemVersion& version) { version_ = version; }

    void beep() { ++beepCount_; }
    int beepCount() const { return beepCount_; }

    // Shows a modal alert: records it and answers with the next scripted response; with nothing
    // scripted, with the presenter's answer (the button a person pressed), or without a
    // presenter with the first button.
    int runModalAlert(const SystemAlert& alert);
    void setAlertPresenter(std::function<int(const SystemAlert&)> presenter) {
        alertPresenter_ = std::move(presenter);
    }
    void scriptAlertResponse(int response) { scriptedResponses_.push_back(response); }
    const std::vector<SystemAlert>& shownAlerts() const { return shownAlerts_; }
    std::size_t pendingScriptedResponses() const { return scriptedResponses_.size(); }

    // Records the URL and hands it to the application that opens it; answers false while URL
    // opening is made to fail.
    bool openURL(const std::string& url);
    // The applications that open URLs (System Settings for its own scheme); each is offered
    // the URL in turn until one takes it.
    void addURLHandler(std::function<bool(const std::string& url)> handler);
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
    // Hiding: the program's "Hide Others" hides every running application (the program is not
    // among them), "Show All" shows them again, and activating one shows it.
    void hideOtherApplications();
    void unhideAllApplications();
    bool isApplicationHidden(int32_t processIdentifier) const {
        return hiddenProcessIdentifiers_.count(processIdentifier) != 0;
    }
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
    PrivacyDatabase& privacy_;
    const ProgramBundle& program_;
    std::vector<std::function<bool(const std::string&)>> urlHandlers_;
    OperatingSystemVersion version_{15, 0, 0};
    int beepCount_ = 0;
    std::deque<int> scriptedResponses_;
    std::function<int(const SystemAlert&)> alertPresenter_;
    std::vector<SystemAlert> shownAlerts_;
    std::vector<std::string> openedURLs_;
    bool opensURLs_ = true;
    std::vector<RunningApplication> applications_;
    std::optional<int32_t> frontmostProcessIdentifier_;
    std::set<int32_t> hiddenProcessIdentifiers_;
    Appearance appearance_ = Appearance::light;
};

} // namespace tessarin
