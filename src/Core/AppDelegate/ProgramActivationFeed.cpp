#include "Core/AppDelegate/ProgramActivationFeed.h"

#include "Platform/Program/ProgramActivation.h"
#include "UI/MissionControl/MissionControlWindow.h"
#include "UI/OSD/OSDOverlayPanel.h"
#include "UI/SystemSettings/SystemSettingsPaneWindow.h"

#include <QApplication>
#include <QWindow>

namespace tessarin {
namespace {

QWidget* focusedWindow() {
    const QWindow* focus = QGuiApplication::focusWindow();
    if (focus == nullptr) {
        return nullptr;
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->windowHandle() == focus) {
            return window;
        }
    }
    return nullptr;
}

// A window of the program has the focus; without one the program is not active, whatever Qt's
// application state still says. System Settings' pane on the desktop is the host's: with the
// focus there, System Settings is the active application; with it on Mission Control, the Dock.
bool isProgramActive(Qt::ApplicationState state) {
    if (state != Qt::ApplicationActive || QGuiApplication::focusWindow() == nullptr) {
        return false;
    }
    const QWidget* window = focusedWindow();
    return window == nullptr || (!SystemSettingsPaneWindow::isPaneWindow(*window) &&
                                 !MissionControlWindow::isMissionControlWindow(*window));
}

// An OSD panel takes the keys without activating the program. A window that takes no focus at
// all (the permission guide) is given it only by a platform that ignores the hint, never by the
// user.
bool focusLeavesTheActivationAlone() {
    const QWidget* window = focusedWindow();
    return dynamic_cast<const OSDOverlayPanel*>(window) != nullptr ||
           (window != nullptr && window->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
}

} // namespace

ProgramActivationFeed::ProgramActivationFeed(ProgramActivation& activation)
    : activation_(activation) {
    // A program started from a menu-bar item is not active until one of its windows is.
    follow(QGuiApplication::applicationState());
    stateConnection_ = QObject::connect(qGuiApp, &QGuiApplication::applicationStateChanged,
                                        [this](Qt::ApplicationState state) { follow(state); });
    focusConnection_ =
        QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged,
                         [this](QWindow*) { follow(QGuiApplication::applicationState()); });
}

ProgramActivationFeed::~ProgramActivationFeed() {
    QObject::disconnect(stateConnection_);
    QObject::disconnect(focusConnection_);
}

void ProgramActivationFeed::follow(Qt::ApplicationState state) {
    if (!isProgramActive(state)) {
        activation_.resignActive();
    } else if (!focusLeavesTheActivationAlone()) {
        activation_.activate();
    }
}

} // namespace tessarin
