#include "UI/OSD/OSDOverlayPanel.h"

#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Platform/Input/HostKeyEvent.h"
#include "Platform/MachineScreen.h"
#include "UI/WindowShape/RoundedWindowMask.h"
#include "UI/WindowShape/TranslucentPanelBacking.h"

#include <QPainter>

namespace tessarin {
namespace {

constexpr uint16_t kPeriodKeyCode = 47;

} // namespace

OSDOverlayPanel::OSDOverlayPanel(const Rect& contentRect)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setHostFrame(contentRect);
}

bool OSDOverlayPanel::isCommandPeriod(const Event& event) {
    if (event.type != EventType::keyDown ||
        (event.flags & EventFlags::maskShortcutModifiers) != EventFlags::maskCommand) {
        return false;
    }
    return event.keyCode() == kPeriodKeyCode || event.characters == ".";
}

bool OSDOverlayPanel::performKeyEquivalent(const Event& event) {
    return isCommandPeriod(event) && cancelOperationHandler && cancelOperationHandler();
}

bool OSDOverlayPanel::keyDown(const Event& event) {
    if (isCommandPeriod(event) && cancelOperationHandler && cancelOperationHandler()) {
        return true;
    }
    return keyDownHandler && keyDownHandler(event);
}

bool OSDOverlayPanel::cancelOperation() {
    return cancelOperationHandler && cancelOperationHandler();
}

void OSDOverlayPanel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (!cancelOperation()) {
            QWidget::keyPressEvent(event);
        }
        return;
    }
    const auto host = hostKeyEvent(*event);
    if (!host || !keyDown(*host)) {
        QWidget::keyPressEvent(event);
    }
}

void OSDOverlayPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (cornerRadius_ > 0) {
        RoundedWindowMask::apply(*this, cornerRadius_);
    }
}

void OSDOverlayPanel::setCornerRadius(double radius) {
    cornerRadius_ = radius;
    if (radius > 0) {
        RoundedWindowMask::apply(*this, radius);
    } else {
        clearMask();
    }
}

void OSDOverlayPanel::setBackingAppearance(std::optional<Appearance> appearance) {
    if (appearance != backingAppearance_) {
        backingAppearance_ = appearance;
        update();
    }
}

void OSDOverlayPanel::paintEvent(QPaintEvent* /*event*/) {
    if (backingAppearance_) {
        QPainter painter(this);
        TranslucentPanelBacking::paint(painter, rect(), *backingAppearance_);
    }
}

void OSDOverlayPanel::setHostFrame(const Rect& frame) {
    hostFrame_ = frame.standardized();
    const Rect qtFrame = MachineScreen::of(Host::current()).windowFrame(hostFrame_);
    setGeometry(static_cast<int>(std::lround(qtFrame.minX())),
                static_cast<int>(std::lround(qtFrame.minY())),
                static_cast<int>(std::lround(qtFrame.width())),
                static_cast<int>(std::lround(qtFrame.height())));
}

void OSDOverlayPanel::setHostFrameOrigin(Point origin) {
    setHostFrame(Rect{origin, hostFrame_.size});
}

// The top edge stays where it is, as a window resized by its content does.
void OSDOverlayPanel::setContentSize(Size size) {
    setHostFrame(Rect{hostFrame_.minX(), hostFrame_.maxY() - size.height, size.width, size.height});
}

void OSDOverlayPanel::setAlpha(double alpha) {
    alpha_ = alpha;
    setWindowOpacity(alpha);
}

void OSDOverlayPanel::setIgnoresMouseEvents(bool ignores) {
    ignoresMouseEvents_ = ignores;
    setAttribute(Qt::WA_TransparentForMouseEvents, ignores);
}

void OSDOverlayPanel::setAcceptsMouseMovedEvents(bool accepts) {
    acceptsMouseMovedEvents_ = accepts;
    setMouseTracking(accepts);
}

// A key panel takes the keyboard, so it has to accept focus from now on.
void OSDOverlayPanel::makeKeyAndOrderFront() {
    if (windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus)) {
        setWindowFlag(Qt::WindowDoesNotAcceptFocus, false);
    }
    show();
    activateWindow();
    isKeyWindow_ = true;
}

void OSDOverlayPanel::orderFrontRegardless() {
    show();
}

void OSDOverlayPanel::orderOut() {
    isKeyWindow_ = false;
    hide();
}

} // namespace tessarin
