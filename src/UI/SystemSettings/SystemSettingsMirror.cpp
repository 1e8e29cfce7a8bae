#include "UI/SystemSettings/SystemSettingsMirror.h"

#include "Platform/Host.h"
#include "Support/MainQueue.h"
#include "UI/SystemSettings/PrivacyPaneWindow.h"

#include <QApplication>

namespace tessarin {

SystemSettingsMirror::SystemSettingsMirror(SystemSettings& settings)
    : settings_(settings), queue_(Host::current().queue()), alive_(std::make_shared<bool>(true)) {
    token_ = settings_.addObserver([this](SystemSettings::Change change) {
        scheduleUpdate(change == SystemSettings::Change::opened);
    });
    update();
}

SystemSettingsMirror::~SystemSettingsMirror() {
    settings_.removeObserver(token_);
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

void SystemSettingsMirror::update() {
    const bool bringFront = std::exchange(bringFront_, false);
    const auto pane = settings_.pane();
    const auto service = pane ? SystemSettings::privacyServiceOfPane(*pane) : std::nullopt;
    if (!service) {
        if (window_) {
            window_->hide();
        }
        return;
    }
    if (!window_) {
        window_ = std::make_unique<PrivacyPaneWindow>(settings_);
    }
    window_->showPane(*service);
    if (bringFront) {
        bringWindowFront();
    }
}

// System Settings comes in front of the other applications' windows, but only of those at its
// level: the floating ones (the permission guide, the status item) stay above it. Without a
// window manager nothing else would keep them there.
void SystemSettingsMirror::bringWindowFront() {
    window_->raise();
    window_->activateWindow();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != window_.get() && window->isVisible() &&
            window->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
            window->raise();
        }
    }
}

} // namespace tessarin
