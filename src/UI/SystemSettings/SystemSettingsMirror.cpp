#include "UI/SystemSettings/SystemSettingsMirror.h"

#include "Platform/Host.h"
#include "Support/MainQueue.h"
#include "UI/SystemSettings/DesktopAndDockPaneWindow.h"
#include "UI/SystemSettings/KeyboardShortcutsPaneWindow.h"
#include "UI/SystemSettings/PrivacyPaneWindow.h"
#include "UI/SystemSettings/SystemSettingsDeskOnScreen.h"
#include "UI/SystemSettings/TrackpadPaneWindow.h"

#include <QApplication>

namespace tessarin {

SystemSettingsMirror::SystemSettingsMirror(SystemSettings& settings)
    : settings_(settings), queue_(Host::current().queue()), alive_(std::make_shared<bool>(true)) {
    settings_.setDeskReader([&host = Host::current()] { return readSystemSettingsDesk(host); });
    token_ = settings_.addObserver([this](SystemSettings::Change change) {
        scheduleUpdate(change == SystemSettings::Change::opened);
    });
    update();
}

SystemSettingsMirror::~SystemSettingsMirror() {
    settings_.removeObserver(token_);
    settings_.setDeskReader(nullptr);
}

void SystemSettingsMirror::scheduleUpdate(bool bringFront) {
    bringFront_ = bringFront_ || bringFront;
    if (updateScheduled_) {
        return;
    }
    updateScheduled_ = true;
    queue_.async([alive = std::weak_ptr(alive_), this] {
        if (alive.lock()) {
            updateScheduled_ = false;
            update();
        }
    });
}

SystemSettingsPaneWindow* SystemSettingsMirror::window() const {
    const auto found = windows_.find(shownKind_);
    return found == windows_.end() ? nullptr : found->second.get();
}

SystemSettingsPaneWindow& SystemSettingsMirror::windowOf(SystemSettings::PaneKind kind) {
    auto& window = windows_[kind];
    if (!window) {
        switch (kind) {
        case SystemSettings::PaneKind::keyboardShortcuts:
            window = std::make_unique<KeyboardShortcutsPaneWindow>(settings_);
            break;
        case SystemSettings::PaneKind::desktopAndDock:
            window = std::make_unique<DesktopAndDockPaneWindow>(settings_);
            break;
        case SystemSettings::PaneKind::trackpad:
            window = std::make_unique<TrackpadPaneWindow>(settings_);
            break;
        case SystemSettings::PaneKind::privacy:
        case SystemSettings::PaneKind::other:
            window = std::make_unique<PrivacyPaneWindow>(settings_);
            break;
        }
    }
    return *window;
}

void SystemSettingsMirror::update() {
    const bool bringFront = std::exchange(bringFront_, false);
    const auto pane = settings_.pane();
    shownKind_ = pane ? SystemSettings::kindOfPane(*pane) : SystemSettings::PaneKind::other;
    for (const auto& [kind, window] : windows_) {
        if (kind != shownKind_) {
            window->hide();
        }
    }
    if (shownKind_ == SystemSettings::PaneKind::other) {
        return;
    }
    SystemSettingsPaneWindow& shown = windowOf(shownKind_);
    shown.showPane(*pane);
    if (bringFront) {
        // System Settings comes in front of the other applications' windows, with the keys.
        shown.bringFront();
    }
}

} // namespace tessarin
