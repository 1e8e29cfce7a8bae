#include "Platform/MachineInput/MachineMouseFeed.h"

#include "Platform/Host.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/MachineInput/MachinePointer.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPointer>

namespace tessarin {

namespace {

// The host's event of a button pressed or let go.
Event hostButtonEvent(Qt::MouseButton button, bool down, Point location, uint64_t flags) {
    switch (button) {
    case Qt::LeftButton:
        return Event::mouse(down ? EventType::leftMouseDown : EventType::leftMouseUp, location,
                            MouseButton::left, flags);
    case Qt::RightButton:
        return Event::mouse(down ? EventType::rightMouseDown : EventType::rightMouseUp, location,
                            MouseButton::right, flags);
    default:
        return Event::mouse(down ? EventType::otherMouseDown : EventType::otherMouseUp, location,
                            MouseButton::center, flags);
    }
}

// A press that makes a double click reaches the widget only as the double click, so that is the
// press the host's session gets (its second mouse-down).
bool isPress(const QEvent& event) {
    return event.type() == QEvent::MouseButtonPress || event.type() == QEvent::MouseButtonDblClick;
}

bool isButtonEvent(const QEvent& event) {
    return isPress(event) || event.type() == QEvent::MouseButtonRelease;
}

// A move with a button held: the widget only makes sense of it after the press it belongs to.
bool followsPress(const QEvent& event) {
    return event.type() == QEvent::MouseMove &&
           static_cast<const QMouseEvent&>(event).buttons() != Qt::NoButton;
}

} // namespace

MachineMouseFeed::MachineMouseFeed(MachineInputSession& session, Host& host)
    : session_(session), host_(host) {
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->installEventFilter(this);
    }
}

MachineMouseFeed::~MachineMouseFeed() {
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->removeEventFilter(this);
    }
}

bool MachineMouseFeed::eventFilter(QObject* watched, QEvent* event) {
    if (watched == nullptr || !watched->isWidgetType()) {
        return false;
    }
    // Qt sends a widget the pointer's entry itself, so it is never spontaneous.
    if (event->type() == QEvent::Enter) {
        followPointer(*watched, static_cast<const QEnterEvent&>(*event).globalPosition());
        return false;
    }
    // The buttons and moves come from the windowing system as spontaneous events; the ones
    // handed on below are sent, and so pass.
    if (!event->spontaneous()) {
        return false;
    }
    if (isButtonEvent(*event)) {
        const auto& mouse = static_cast<const QMouseEvent&>(*event);
        followPointer(*watched, mouse.globalPosition());
        carryButton(*watched, mouse);
        return true;
    }
    if (event->type() == QEvent::MouseMove) {
        followPointer(*watched, static_cast<const QMouseEvent&>(*event).globalPosition());
    }
    if (followsPress(*event)) {
        return followPress(*watched, static_cast<const QMouseEvent&>(*event));
    }
    return event->type() == QEvent::MouseMove &&
           session_.queueBehindPending(
               delivery(*watched, static_cast<const QMouseEvent&>(*event), nullptr, false));
}

void MachineMouseFeed::followPointer(const QObject& under, const QPointF& globalPosition) {
    followMachinePointer(host_, {globalPosition.x(), globalPosition.y()}, &under);
}

void MachineMouseFeed::carryButton(QObject& receiver, const QMouseEvent& mouse) {
    const bool pressed = isPress(mouse);
    if (pressed) {
        pressReached_ = std::make_shared<bool>(false);
    }
    PhysicalInput& physical = session_.events().physical();
    Event event =
        hostButtonEvent(mouse.button(), pressed, physical.location(), physical.flagsState());
    const bool secondClick = mouse.type() == QEvent::MouseButtonDblClick;
    event.setIntegerValue(EventField::mouseEventClickState, secondClick ? 2 : 1);
    session_.carry(
        [&](int64_t serial) {
            event.setIntegerValue(EventField::machineKeySerial, serial);
            physical.inject(std::move(event));
        },
        delivery(receiver, mouse, pressReached_, pressed));
}

bool MachineMouseFeed::followPress(QObject& receiver, const QMouseEvent& mouse) {
    if (session_.queueBehindPending(delivery(receiver, mouse, pressReached_, false))) {
        return true;
    }
    // Nothing waits: its press is settled, and the event goes on when the press went.
    return !*pressReached_;
}

MachineInputSession::Delivery MachineMouseFeed::delivery(QObject& receiver,
                                                         const QMouseEvent& mouse,
                                                         std::shared_ptr<bool> pressReached,
                                                         bool isPress) {
    const QPointer<QObject> target(&receiver);
    std::shared_ptr<QMouseEvent> copy(mouse.clone());
    return [target, copy, pressReached = std::move(pressReached), isPress] {
        if (pressReached) {
            if (isPress) {
                *pressReached = true;
            } else if (!*pressReached) {
                return;
            }
        }
        if (QObject* to = target.data()) {
            QCoreApplication::sendEvent(to, copy.get());
        }
    };
}

} // namespace tessarin
