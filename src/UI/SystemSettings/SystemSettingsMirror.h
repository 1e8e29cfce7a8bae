#pragma once

#include "Platform/SystemSettings/SystemSettings.h"

#include <map>
#include <memory>

namespace tessarin {

class MainQueue;
class SystemSettingsPaneWindow;

// Shows the host's System Settings on the desktop while it shows a pane the host has (Privacy,
// Keyboard Shortcuts, Desktop & Dock, Trackpad): that pane's window at the host window's frame,
// brought front when the pane is opened, gone when the host closes it or shows another pane. It
// tells System Settings where the program's floating windows are, to open clear of them. Changes
// arrive on a later turn of the main queue, several at once drawn once. Made after the host and
// dropped before it; the program makes one for its run when it has a display:
//
//     SystemSettingsMirror systemSettingsMirror(Host::current().systemSettings());
class SystemSettingsMirror {
public:
    explicit SystemSettingsMirror(SystemSettings& settings);
    ~SystemSettingsMirror();
    SystemSettingsMirror(const SystemSettingsMirror&) = delete;
    SystemSettingsMirror& operator=(const SystemSettingsMirror&) = delete;

    // The window of the pane shown; none while System Settings shows none the host has.
    SystemSettingsPaneWindow* window() const;

private:
    void scheduleUpdate(bool bringFront);
    void update();
    SystemSettingsPaneWindow& windowOf(SystemSettings::PaneKind kind);

    SystemSettings& settings_;
    MainQueue& queue_;
    SystemSettings::ObserverToken token_ = 0;
    bool updateScheduled_ = false;
    bool bringFront_ = false;
    std::shared_ptr<bool> alive_;
    // One window per kind of pane, made when first shown.
    std::map<SystemSettings::PaneKind, std::unique_ptr<SystemSettingsPaneWindow>> windows_;
    SystemSettings::PaneKind shownKind_ = SystemSettings::PaneKind::other;
};

} // namespace tessarin
