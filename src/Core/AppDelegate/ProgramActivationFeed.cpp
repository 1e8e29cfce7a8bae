#include "Core/AppDelegate/ProgramActivationFeed.h"

#include "Platform/Program/ProgramActivation.h"
#include "UI/OSD/OSDOverlayPanel.h"

#include <QApplication>
#include <QWindow>

namespace tessarin {
namespace {

// A window of the program has the focus; without one the program is not active, whatever Qt's
// application state still says.
bool isProgramActive(Qt::ApplicationState state) {
    return state == Qt::ApplicationActive && QGuiApplication::focusWindow() != nullptr;
}

bool focusIsOnAnOSDPanel() {
    const QWindow* focus = QGuiApplication::focusWindow();
    if (focus == nullptr) {
        return false;
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->windowHandle() == focus) {
            return dynamic_cast<OSDOverlayPanel*>(window) != nullptr;
        }
    }
    return false;
}

} // namespace

ProgramActivationFeed::ProgramActivationFeed(ProgramActivation& activation)
    : activation_(activation) {
    // A program started from a menu-bar item is not active until one of its windows is.
    follow(QGuiApplication::applicationState());
    stateConnection_ =
        QObject::connect(qGuiApp, &QGuiApplication::applicationStateChanged,
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
