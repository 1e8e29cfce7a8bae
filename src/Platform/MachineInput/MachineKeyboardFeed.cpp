#include "Platform/MachineInput/MachineKeyboardFeed.h"

#include "Platform/Input/EventSystem.h"
#include "Platform/Input/HostKeyEvent.h"
#include "Platform/MachineInput/MachinePointer.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>

namespace tessarin {

namespace {

bool isKeyEvent(const QEvent& event) {
    return event.type() == QEvent::KeyPress || event.type() == QEvent::KeyRelease;
}

// The host's modifiers once this key has acted: a modifier key's own press or release is not
// always in Qt's modifiers of its event.
uint64_t modifiersAfter(const QKeyEvent& key) {
    uint64_t flags = hostModifierFlags(key.modifiers());
    if (const auto flag = hostModifierKeyFlag(key.key())) {
        flags = key.type() == QEvent::KeyPress ? flags | *flag : flags & ~*flag;
    }
    return flags;
}

} // namespace

MachineKeyboardFeed::MachineKeyboardFeed(MachineInputSession& session) : session_(session) {
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->installEventFilter(this);
    }
}

MachineKeyboardFeed::~MachineKeyboardFeed() {
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->removeEventFilter(this);
    }
}

bool MachineKeyboardFeed::eventFilter(QObject* watched, QEvent* event) {
    // Keys come from the windowing system as spontaneous events; the ones handed on below are
    // sent, and so pass.
    if (!isKeyEvent(*event) || !event->spontaneous() || watched == nullptr ||
        !watched->isWidgetType()) {
        return false;
    }
    return intercept(*watched, static_cast<const QKeyEvent&>(*event));
}

bool MachineKeyboardFeed::intercept(QObject& receiver, const QKeyEvent& key) {
    const bool autorepeatRelease = key.type() == QEvent::KeyRelease && key.isAutoRepeat();
    const auto hostEvent = autorepeatRelease ? std::nullopt : hostKeyEvent(key);
    if (hostEvent) {
        carryIntoSession(receiver, key, *hostEvent);
        return true;
    }
    // A modifier key, a repeat's release or a key without a host code: the session learns the
    // modifiers, and the key goes on unless an earlier one still waits.
    if (!autorepeatRelease) {
        holdModifiersOf(key);
    }
    return session_.queueBehindPending(delivery(receiver, key));
}

void MachineKeyboardFeed::holdModifiersOf(const QKeyEvent& key) {
    session_.events().physical().holdExactly(modifiersAfter(key),
                                             EventFlags::maskShortcutModifiers);
}

void MachineKeyboardFeed::carryIntoSession(QObject& receiver, const QKeyEvent& key,
                                           Event hostEvent) {
    // A hot key typed here acts on the display under the pointer, as one pressed elsewhere.
    followMachinePointer(&receiver);
    holdModifiersOf(key);
    PhysicalInput& physical = session_.events().physical();
    hostEvent.location = physical.location();
    session_.carry(
        [&](int64_t serial) {
            hostEvent.setIntegerValue(EventField::machineKeySerial, serial);
            physical.inject(std::move(hostEvent));
        },
        delivery(receiver, key));
}

MachineInputSession::Delivery MachineKeyboardFeed::delivery(QObject& receiver,
                                                            const QKeyEvent& key) {
    const QPointer<QObject> target(&receiver);
    const bool wasFocus = &receiver == QGuiApplication::focusObject();
    std::shared_ptr<QKeyEvent> copy(key.clone());
    return [target, wasFocus, copy] {
        // A key typed while an earlier one was on its way goes where the keys are now, as the
        // host sends it to the key window when it arrives: the earlier key may have moved the
        // focus.
        QObject* focus = wasFocus ? QGuiApplication::focusObject() : nullptr;
        QObject* to = focus != nullptr ? focus : target.data();
        if (to != nullptr) {
            QCoreApplication::sendEvent(to, copy.get());
        }
    };
}

} // namespace tessarin
