#pragma once

#include "Model/Health/TessarinHealthStatusProviding.h"

#include <functional>
#include <optional>

namespace tessarin {

class UserDefaults;

// Runs the five checks on its inputs. Every input is a plain member that a caller may replace;
// left alone, each reads the current host. Holds no state between snapshots.
class TessarinHealthStatusProvider : public TessarinHealthStatusProviding {
public:
    std::function<bool()> accessibilityTrusted = defaultAccessibilityTrusted;
    std::function<bool()> screenRecordingSupported = defaultScreenRecordingSupported;
    std::function<bool()> screenRecordingGranted = defaultScreenRecordingGranted;
    std::function<int()> connectedDisplayCount = defaultConnectedDisplayCount;
    std::function<bool()> displaysHaveSeparateSpaces = defaultDisplaysHaveSeparateSpaces;
    std::function<bool()> launchAtLoginEnabled = defaultLaunchAtLoginEnabled;
    // Where the "…AccessObserved" flags go when a permission is seen granted; none writes nothing.
    UserDefaults* permissionHistoryDefaults = nullptr;
    std::function<std::optional<bool>()> spacesAutoRearrangeEnabled =
        defaultSpacesAutoRearrangeEnabled;

    // Reads each input at most once, and only where a check needs it.
    TessarinHealthCheckSnapshot snapshot() const override;

    static bool defaultAccessibilityTrusted();
    static bool defaultScreenRecordingSupported();
    static bool defaultScreenRecordingGranted();
    static int defaultConnectedDisplayCount();
    static bool defaultDisplaysHaveSeparateSpaces();
    static bool defaultLaunchAtLoginEnabled();
    static std::optional<bool> defaultSpacesAutoRearrangeEnabled();

private:
    TessarinHealthCheckItem accessibilityItem() const;
    TessarinHealthCheckItem screenRecordingItem() const;
    TessarinHealthCheckItem separateSpacesItem() const;
    TessarinHealthCheckItem spaceAutoRearrangeItem() const;
    TessarinHealthCheckItem launchAtLoginItem() const;
    void observe(const char* key) const;
};

} // namespace tessarin
