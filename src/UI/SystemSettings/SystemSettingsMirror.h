#pragma once

#include "Platform/SystemSettings/SystemSettings.h"

#include <memory>

namespace tessarin {

class MainQueue;
class PrivacyPaneWindow;

// Shows the host's System Settings on the desktop while it shows a Privacy pane: the pane's
// window at the host window's frame, brought front when the pane is opened, gone when the host
// closes it or shows another pane. Changes arrive on a later turn of the main queue, several
// at once drawn once. Made after the host and dropped before it; the program makes one for its
// run when it has a display:
//
//     SystemSettingsMirror systemSettingsMirror(Host::current().systemSettings());
class SystemSettingsMirror {
public:
    explicit SystemSettingsMirror(SystemSettings& settings);
    ~SystemSettingsMirror();
    SystemSettingsMirror(const SystemSettingsMirror&) = delete;
    SystemSettingsMirror& operator=(const SystemSettingsMirror&) = delete;

    // The pane's window; none before System Settings first showed a Privacy pane.
    PrivacyPaneWindow* window() const { return window_.get(); }

private:
    void scheduleUpdate(bool bringFront);
    void update();
    void bringWindowFront();

    SystemSettings& settings_;
    MainQueue& queue_;
    SystemSettings::ObserverToken token_ = 0;
    bool updateScheduled_ = false;
    bool bringFront_ = false;
    std::shared_ptr<bool> alive_;
    std::unique_ptr<PrivacyPaneWindow> window_;
};

} // namespace tessarin
