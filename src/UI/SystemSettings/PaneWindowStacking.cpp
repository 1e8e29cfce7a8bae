#include "UI/SystemSettings/PaneWindowStacking.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace tessarin {

PaneWindowStacking::PaneWindowStacking(QWidget& pane) : pane_(pane) {
    // A press reaches the control under it, not the window: the window hears it on its way.
    qApp->installEventFilter(this);
}

PaneWindowStacking::~PaneWindowStacking() {
    qApp->removeEventFilter(this);
}

void PaneWindowStacking::bringFront() {
    pane_.raise();
    pane_.activateWindow();
    raiseFloatingPanels();
}

// The floating panels stay above whichever window stands in front.
void PaneWindowStacking::raiseFloatingPanels() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != &pane_ && window->isVisible() && window->windowType() == Qt::Tool &&
            window->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
            window->raise();
        }
    }
}

// The flag changes in place: hiding and mapping the window again for it would make a window
// manager take it for a new window.
void PaneWindowStacking::setStandsAbove(bool above) {
    if (above == standsAbove_) {
        return;
    }
    standsAbove_ = above;
    const Qt::WindowFlags flags = pane_.windowFlags().setFlag(Qt::WindowStaysOnTopHint, above);
    if (QWindow* const handle = pane_.windowHandle()) {
        pane_.overrideWindowFlags(flags);
        handle->setFlags(flags);
    } else {
        pane_.setWindowFlags(flags);
    }
    if (above) {
        pane_.raise();
        raiseFloatingPanels();
    }
}

bool PaneWindowStacking::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType()) {
        return false;
    }
    auto* const widget = static_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        if (widget == &pane_) {
            setStandsAbove(event->type() == QEvent::WindowActivate && pane_.isVisible());
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (widget->window() == &pane_) {
            bringFront();
        }
        break;
    case QEvent::Hide:
        if (widget == &pane_) {
            setStandsAbove(false);
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace tessarin
