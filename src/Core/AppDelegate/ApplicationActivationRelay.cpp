#include "Core/AppDelegate/ApplicationActivationRelay.h"

#include "Core/AppDelegate/AppDelegate.h"
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

ApplicationActivationRelay::ApplicationActivationRelay(AppDelegate& delegate)
    : delegate_(delegate), reportedActive_(isProgramActive(QGuiApplication::applicationState()) &&
                                           !focusIsOnAnOSDPanel()) {
    auto* application = qGuiApp;
    connections_.push_back(QObject::connect(application, &QGuiApplication::applicationStateChanged,
                                            [this](Qt::ApplicationState state) { update(state); }));
    connections_.push_back(
        QObject::connect(application, &QGuiApplication::focusWindowChanged,
                         [this](QWindow*) { update(QGuiApplication::applicationState()); }));
}

ApplicationActivationRelay::~ApplicationActivationRelay() {
    for (const QMetaObject::Connection& connection : connections_) {
        QObject::disconnect(connection);
    }
}

void ApplicationActivationRelay::update(Qt::ApplicationState state) {
    if (!isProgramActive(state)) {
        if (reportedActive_) {
            reportedActive_ = false;
            delegate_.applicationDidResignActive();
        }
        return;
    }
    if (!reportedActive_ && !focusIsOnAnOSDPanel()) {
        reportedActive_ = true;
        delegate_.applicationDidBecomeActive();
    }
}

} // namespace tessarin
