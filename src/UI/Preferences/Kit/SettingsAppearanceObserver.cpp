#include "UI/Preferences/Kit/SettingsAppearanceObserver.h"

#include "Platform/Host.h"

namespace tessarin {

SettingsAppearanceObserver::SettingsAppearanceObserver(std::function<void()> onChange) {
    if (Host* host = Host::installed()) {
        token_ = host->notifications().addObserver(
            WorkspaceNotificationName::appearanceDidChange,
            [onChange = std::move(onChange)](const WorkspaceNotification&) { onChange(); });
    }
}

} // namespace tessarin
