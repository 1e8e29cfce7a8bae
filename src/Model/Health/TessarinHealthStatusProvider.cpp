#include "Model/Health/TessarinHealthStatusProvider.h"

#include "Model/Health/SpacesAutoRearrangeSetting.h"
#include "Model/Health/TessarinPrivacyPermissionPromptHistory.h"
#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Platform/LoginItems/LoginItems.h"
#include "Platform/SystemServices.h"
#include "TessarinCore/TessarinCore.h"

namespace tessarin {

namespace {

using Id = TessarinHealthCheckIdentifier;
using Status = TessarinHealthCheckStatus;
namespace History = TessarinPrivacyPermissionPromptHistory;

constexpr OperatingSystemVersion kScreenRecordingMinimumVersion{14, 0, 0};

} // namespace

bool TessarinHealthStatusProvider::defaultAccessibilityTrusted() {
    return Host::current().system().isProcessTrusted();
}

bool TessarinHealthStatusProvider::defaultScreenRecordingSupported() {
    return Host::current().system().operatingSystemVersion().isAtLeast(
        kScreenRecordingMinimumVersion);
}

bool TessarinHealthStatusProvider::defaultScreenRecordingGranted() {
    return Host::current().system().preflightScreenCaptureAccess();
}

int TessarinHealthStatusProvider::defaultConnectedDisplayCount() {
    return static_cast<int>(Host::current().displays().screens().size());
}

bool TessarinHealthStatusProvider::defaultDisplaysHaveSeparateSpaces() {
    return tessarin_displays_have_separate_spaces(
        static_cast<uint32_t>(Host::current().displays().screens().size()));
}

bool TessarinHealthStatusProvider::defaultLaunchAtLoginEnabled() {
    return Host::current().loginItems().mainAppStatus() == LoginItemStatus::enabled;
}

std::optional<bool> TessarinHealthStatusProvider::defaultSpacesAutoRearrangeEnabled() {
    return systemSpacesAutoRearrangeEnabled();
}

TessarinHealthCheckSnapshot TessarinHealthStatusProvider::snapshot() const {
    return {{accessibilityItem(), screenRecordingItem(), separateSpacesItem(),
             spaceAutoRearrangeItem(), launchAtLoginItem()}};
}

void TessarinHealthStatusProvider::observe(const char* key) const {
    if (permissionHistoryDefaults != nullptr) {
        History::markTrue(*permissionHistoryDefaults, key);
    }
}

TessarinHealthCheckItem TessarinHealthStatusProvider::accessibilityItem() const {
    if (accessibilityTrusted()) {
        observe(History::accessibilityAccessObservedKey);
        return {Id::accessibility, "Accessibility",
                "Tessarin can receive hotkeys and switch spaces.", Status::passed, std::nullopt};
    }
    return {Id::accessibility, "Accessibility", "Required for global hotkeys and space switching.",
            Status::actionRequired, "Open"};
}

TessarinHealthCheckItem TessarinHealthStatusProvider::screenRecordingItem() const {
    const char* title = "Screen Recording";
    if (!screenRecordingSupported()) {
        return {Id::screenRecording, title, "Space screenshots require macOS 14 or later.",
                Status::notAvailable, std::nullopt};
    }
    if (screenRecordingGranted()) {
        observe(History::screenRecordingAccessObservedKey);
        return {Id::screenRecording, title, "Grid space screenshots can be captured.",
                Status::passed, std::nullopt};
    }
    return {Id::screenRecording, title, "Needed for screenshot previews in the grid OSD.",
            Status::recommended, "Enable"};
}

TessarinHealthCheckItem TessarinHealthStatusProvider::separateSpacesItem() const {
    const char* title = "Displays have separate Spaces";
    if (connectedDisplayCount() < 2) {
        return {Id::separateSpaces, title, "Only needed when more than one display is connected.",
                Status::notApplicable, std::nullopt};
    }
    if (displaysHaveSeparateSpaces()) {
        return {Id::separateSpaces, title, "Each display can keep its own space grid.",
                Status::passed, std::nullopt};
    }
    return {Id::separateSpaces, title,
            "Enable this in Desktop & Dock > Mission Control for per-display spaces.",
            Status::recommended, "Open"};
}

TessarinHealthCheckItem TessarinHealthStatusProvider::spaceAutoRearrangeItem() const {
    const char* title = "Auto re-arrange Spaces";
    // An unset or unreadable setting is the system's default: on.
    if (spacesAutoRearrangeEnabled().value_or(true)) {
        return {Id::spaceAutoRearrange, title,
                "Disable automatic rearranging so Tessarin's grid order stays predictable.",
                Status::recommended, "Open"};
    }
    return {Id::spaceAutoRearrange, title,
            "macOS will keep your Mission Control space order stable.", Status::passed,
            std::nullopt};
}

TessarinHealthCheckItem TessarinHealthStatusProvider::launchAtLoginItem() const {
    const char* title = "Start at login";
    if (launchAtLoginEnabled()) {
        return {Id::launchAtLogin, title, "Tessarin will start automatically after you sign in.",
                Status::passed, std::nullopt};
    }
    return {Id::launchAtLogin, title,
            "Start Tessarin automatically after you sign in so your space shortcuts are ready.",
            Status::recommended, "Enable"};
}

} // namespace tessarin
