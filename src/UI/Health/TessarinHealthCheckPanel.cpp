#include "UI/Health/TessarinHealthCheckPanel.h"

#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "UI/WindowActions/AllowedWindowActions.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace tessarin {

TessarinHealthCheckPanel::TessarinHealthCheckPanel(const Rect& contentRect)
    : designedHeight_(contentRect.height()) {
    setWindowTitle(QStringLiteral("Tessarin Health Check"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    applyWindowFlags();
    setHostFrame(contentRect);
    // A press reaches the control under it, not the panel: the panel hears it on its way there.
    qApp->installEventFilter(this);
}

void TessarinHealthCheckPanel::setFloatingLevel(bool floating) {
    const int level = floating ? floatingLevel : normalLevel;
    if (floating == floating_ && level == level_) {
        return;
    }
    floating_ = floating;
    level_ = level;
    applyWindowFlags();
}

void TessarinHealthCheckPanel::setCloseButtonShown(bool shown) {
    if (closeButtonHidden_ == !shown && closeButtonEnabled_ == shown) {
        return;
    }
    closeButtonHidden_ = !shown;
    closeButtonEnabled_ = shown;
    applyWindowFlags();
}

// Titled and closable; never miniaturised, zoomed or resized from its frame.
void TessarinHealthCheckPanel::applyWindowFlags() {
    const WindowActions actions{.close = !closeButtonHidden_};
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (!closeButtonHidden_) {
        flags |= Qt::WindowCloseButtonHint;
    }
    if (floating_) {
        flags |= Qt::WindowStaysOnTopHint;
    }
    QWindow* const handle = windowHandle();
    if (handle == nullptr) {
        setWindowFlags(flags);
    } else {
        // The widget's own road would hide the window and make it anew; the window system's
        // window takes the change as it stands (on X11 a change of its state, not a new mapping).
        overrideWindowFlags(flags);
        handle->setFlags(flags);
        keepActiveFloatingWindowInFront();
    }
    AllowedWindowActions::allow(*this, actions);
}

// A window manager raises a window as it floats again; a window with the keys that stands with
// the floating ones (System Settings' pane) stays in front of it.
void TessarinHealthCheckPanel::keepActiveFloatingWindowInFront() {
    QWidget* const active = QApplication::activeWindow();
    if (floating_ && active != nullptr && active != this &&
        active->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        active->raise();
    }
}

void TessarinHealthCheckPanel::setHostFrame(const Rect& frame) {
    hostFrame_ = frame.standardized();
    const Rect qtFrame = Host::current().displays().toWindowServer(hostFrame_);
    setGeometry(static_cast<int>(std::lround(qtFrame.minX())),
                static_cast<int>(std::lround(qtFrame.minY())),
                static_cast<int>(std::lround(qtFrame.width())),
                static_cast<int>(std::lround(qtFrame.height())));
}

std::optional<Screen> TessarinHealthCheckPanel::hostScreen() const {
    const DisplayServer& displays = Host::current().displays();
    std::optional<Screen> screen = displays.screenContaining(hostFrame_.center());
    return screen ? screen : displays.mainScreen();
}

void TessarinHealthCheckPanel::fitContentHeight(double height) {
    const std::optional<Screen> screen = hostScreen();
    const std::optional<Rect> visible =
        screen ? std::optional<Rect>(screen->visibleFrame) : std::nullopt;
    const double tallest = visible ? std::max(designedHeight_, visible->height()) : height;
    const double fitted = std::ceil(std::clamp(height, designedHeight_, tallest));
    if (fitted == hostFrame_.height()) {
        return;
    }
    Rect frame{hostFrame_.minX(), hostFrame_.maxY() - fitted, hostFrame_.width(), fitted};
    if (visible && frame.minY() < visible->minY()) {
        frame.origin.y = std::min(visible->minY(), visible->maxY() - fitted);
    }
    setFixedHeight(static_cast<int>(fitted));
    setHostFrame(frame);
}

void TessarinHealthCheckPanel::makeKeyAndOrderFront() {
    show();
    raise();
    activateWindow();
    if (!isKeyWindow_) {
        isKeyWindow_ = true;
        if (onBecomeKey) {
            onBecomeKey();
        }
    }
}

void TessarinHealthCheckPanel::orderFrontRegardless() {
    show();
    raise();
}

bool TessarinHealthCheckPanel::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !isKeyWindow_) {
        isKeyWindow_ = true;
        if (onBecomeKey) {
            onBecomeKey();
        }
    } else if (event->type() == QEvent::WindowDeactivate) {
        isKeyWindow_ = false;
    }
    return PreferencesPanel::event(event);
}

bool TessarinHealthCheckPanel::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
                       type == QEvent::KeyPress;
    if (!press || !watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != this) {
        return false;
    }
    // Back in front of a window that stood over it, without a window manager too.
    if (type != QEvent::KeyPress) {
        raise();
    }
    if (onUserInput) {
        onUserInput();
    }
    return false;
}

void TessarinHealthCheckPanel::closeEvent(QCloseEvent* event) {
    if (shouldClose && !shouldClose()) {
        event->ignore();
        return;
    }
    isKeyWindow_ = false;
    if (willClose) {
        willClose();
    }
    event->accept();
}

} // namespace tessarin
