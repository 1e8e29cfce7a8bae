#include "Core/AppDelegate/ProgramActivationFeed.h"

#include "Platform/Program/ProgramActivation.h"
#include "UI/MissionControl/MissionControlWindow.h"
#include "UI/OSD/OSDOverlayPanel.h"
#include "UI/SystemSettings/PrivacyPaneWindow.h"

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
    return window == nullptr || (!PrivacyPaneWindow::isPaneWindow(*window) &&
                                 !MissionControlWindow::isMissionControlWindow(*window));
}

bool focusIsOnAnOSDPanel() {
    return dynamic_cast<OSDOverlayPanel*>(focusedWindow()) != nullptr;
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
    } else if (!focusIsOnAnOSDPanel()) {
        activation_.activate();
    }
}

} // namespace tessarin
