#include "UI/MenuBar/ProgramHiding.h"

#include "Platform/Host.h"
#include "UI/MenuBar/StatusBarMirror.h"
#include "UI/MissionControl/MissionControlWindow.h"
#include "UI/SystemSettings/SystemSettingsPaneWindow.h"

#include <QApplication>

namespace tessarin {

ProgramHiding::ProgramHiding() : activation_(Host::current().programActivation()) {
    activationToken_ = activation_.addObserver([this](bool active) {
        if (active) {
            unhide();
        }
    });
}

ProgramHiding::~ProgramHiding() {
    activation_.removeObserver(activationToken_);
}

void ProgramHiding::hide() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && !StatusBarMirror::isMirrorWindow(*window) &&
            !SystemSettingsPaneWindow::isPaneWindow(*window) &&
            !MissionControlWindow::isMissionControlWindow(*window)) {
            hiddenWindows_.emplace_back(window);
            window->hide();
        }
    }
    activation_.resignActive();
}

void ProgramHiding::unhide() {
    const auto windows = std::move(hiddenWindows_);
    hiddenWindows_.clear();
    for (const QPointer<QWidget>& window : windows) {
        if (window) {
            window->show();
        }
    }
}

} // namespace tessarin
