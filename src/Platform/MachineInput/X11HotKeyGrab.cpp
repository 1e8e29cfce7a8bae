#include "Platform/MachineInput/X11HotKeyGrab.h"

#include "Platform/Input/EventSystem.h"
#include "Platform/Input/HotKeyCenter.h"
#include "Platform/MachineInput/MachinePointer.h"
#include "Platform/MachineInput/X11XcbGrabConnection.h"
#include "Support/Logger.h"
#include "Support/MainQueue.h"

#include <QCoreApplication>
#include <xcb/xcb.h>

namespace tessarin {

namespace {

// While a grabbed key's modifiers are held, how often the machine's keyboard is asked whether
// they still are: the grab ends with the key, so their release goes to another client.
constexpr int kModifierWatchMilliseconds = 30;

const Logger& logger() {
    static const Logger instance("Hotkeys");
    return instance;
}

} // namespace

X11HotKeyGrab::X11HotKeyGrab(HotKeyCenter& hotKeys, EventSystem& events)
    : X11HotKeyGrab(hotKeys, events, makeX11XcbGrabConnection()) {}

X11HotKeyGrab::X11HotKeyGrab(HotKeyCenter& hotKeys, EventSystem& events,
                             std::unique_ptr<X11GrabConnection> connection)
    : hotKeys_(hotKeys), events_(events), x_(std::move(connection)) {
    if (x_ == nullptr) {
        return;
    }
    bits_ = x11ModifierBits(x_->modifierMapping());
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->installNativeEventFilter(this);
    }
    hotKeys_.setRegistrationsChangedHandler([this] { scheduleSync(); });
    modifierWatch_.setInterval(kModifierWatchMilliseconds);
    QObject::connect(&modifierWatch_, &QTimer::timeout, &context_,
                     [this] { releaseModifiersLetGo(); });
    sync();
}

X11HotKeyGrab::~X11HotKeyGrab() {
    if (!isActive()) {
        return;
    }
    pendingSync_.cancel();
    heldRetry_.cancel();
    hotKeys_.setRegistrationsChangedHandler(nullptr);
    hotKeys_.delivery().setKeptRule(nullptr);
    hotKeys_.delivery().setHeldElsewhere({});
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->removeNativeEventFilter(this);
    }
    ungrabAll();
    x_->flush();
}

void X11HotKeyGrab::scheduleSync() {
    if (syncScheduled_) {
        return;
    }
    syncScheduled_ = true;
    pendingSync_ = MainQueue::main().asyncAfter(0, [this] {
        syncScheduled_ = false;
        sync();
    });
}

void X11HotKeyGrab::sync() {
    readKeyboardMap();
    ungrabAll();
    grabAll();
    publishHeld();
    x_->flush();
}

void X11HotKeyGrab::readKeyboardMap() {
    X11KeyboardMap map = x_->keyboardMap();
    if (mapRead_ && map == map_) {
        return;
    }
    mapRead_ = true;
    map_ = std::move(map);
    hotKeys_.delivery().setKeptRule([map = map_, bits = bits_](uint32_t keyCode, uint32_t modifiers)
                                        -> std::optional<HotKeyDeliveryIssue> {
        const auto hostKeyCode = static_cast<uint16_t>(keyCode);
        if (hostKeyCode != keyCode) {
            return std::nullopt;
        }
        auto action = x11ServerKeptAction(map, hostKeyCode, modifiers, bits);
        if (!action) {
            return std::nullopt;
        }
        return HotKeyDeliveryIssue{HotKeyDeliveryProblem::keptByDisplayServer,
                                   x11CombinationName(hostKeyCode, modifiers), std::move(*action)};
    });
}

void X11HotKeyGrab::grabAll() {
    std::vector<Grab> wanted;
    for (const HotKeyCenter::Registration& registration : hotKeys_.registrations()) {
        const auto hostKeyCode = static_cast<uint16_t>(registration.keyCode);
        const auto keySym = x11KeySymForHostKeyCode(hostKeyCode);
        const uint8_t keyCode = keySym ? x_->keyCodeFor(*keySym) : 0;
        if (keyCode == 0) {
            continue;
        }
        wanted.push_back({keyCode, x11Modifiers(registration.modifiers, bits_), hostKeyCode,
                          registration.modifiers});
        reportKept(wanted.back());
    }
    const std::vector<bool> taken = grabTogether(wanted);
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        const Combination combination{wanted[i].hostKeyCode, wanted[i].carbonModifiers};
        if (taken[i]) {
            heldElsewhere_.erase(combination);
            grabbed_.push_back(wanted[i]);
        } else {
            noteHeldElsewhere(wanted[i]);
        }
    }
}

std::vector<bool> X11HotKeyGrab::grabTogether(const std::vector<Grab>& grabs) {
    if (grabs.empty()) {
        return {};
    }
    std::vector<X11KeyGrab> keys;
    keys.reserve(grabs.size());
    for (const Grab& wanted : grabs) {
        keys.push_back({wanted.keyCode, x11LockVariants(wanted.modifiers, bits_)});
    }
    std::vector<bool> taken = x_->grab(keys);
    taken.resize(grabs.size(), false);
    return taken;
}

void X11HotKeyGrab::noteHeldElsewhere(const Grab& wanted) {
    const Combination combination{wanted.hostKeyCode, wanted.carbonModifiers};
    heldElsewhere_[combination] = wanted;
    if (reportedTaken_.insert(combination).second) {
        logger().error("hotkey.x11.grabTaken combination=" +
                       x11CombinationName(wanted.hostKeyCode, wanted.carbonModifiers) +
                       " reason=held by another client");
    }
}

void X11HotKeyGrab::reportKept(const Grab& wanted) {
    const Combination combination{wanted.hostKeyCode, wanted.carbonModifiers};
    if (reportedKept_.contains(combination)) {
        return;
    }
    const auto action =
        x11ServerKeptAction(map_, wanted.hostKeyCode, wanted.carbonModifiers, bits_);
    if (!action) {
        return;
    }
    reportedKept_.insert(combination);
    logger().error("hotkey.x11.keptByServer combination=" +
                   x11CombinationName(wanted.hostKeyCode, wanted.carbonModifiers) +
                   " reason=the X server keeps it for " + *action);
}

void X11HotKeyGrab::ungrabAll() {
    for (const Grab& held : grabbed_) {
        x_->ungrab(held.keyCode, x11LockVariants(held.modifiers, bits_));
    }
    grabbed_.clear();
}

void X11HotKeyGrab::retryHeld() {
    std::vector<Grab> held;
    for (const auto& [combination, wanted] : heldElsewhere_) {
        held.push_back(wanted);
    }
    const std::vector<bool> taken = grabTogether(held);
    for (std::size_t i = 0; i < held.size(); ++i) {
        if (!taken[i]) {
            continue;
        }
        const Grab& wanted = held[i];
        heldElsewhere_.erase({wanted.hostKeyCode, wanted.carbonModifiers});
        if (hotKeys_.isRegistered(wanted.hostKeyCode, wanted.carbonModifiers)) {
            grabbed_.push_back(wanted);
            logger().notice("hotkey.x11.grabTakenOver combination=" +
                            x11CombinationName(wanted.hostKeyCode, wanted.carbonModifiers) +
                            " reason=its holder let it go");
        } else {
            // Only tried so the report stays true; no hot key wants it now.
            x_->ungrab(wanted.keyCode, x11LockVariants(wanted.modifiers, bits_));
        }
    }
    publishHeld();
    x_->flush();
}

void X11HotKeyGrab::publishHeld() {
    std::map<std::pair<uint32_t, uint32_t>, HotKeyDeliveryIssue> report;
    for (const auto& [combination, wanted] : heldElsewhere_) {
        report[combination] =
            HotKeyDeliveryIssue{HotKeyDeliveryProblem::heldByAnotherClient,
                                x11CombinationName(wanted.hostKeyCode, wanted.carbonModifiers),
                                {}};
    }
    hotKeys_.delivery().setHeldElsewhere(std::move(report));
    // X tells no one when a client lets a grab go, so a held combination is asked for again
    // on the main queue's clock until it is free.
    if (heldElsewhere_.empty()) {
        heldRetry_.cancel();
        heldRetry_ = {};
    } else if (!heldRetry_.isValid()) {
        heldRetry_ =
            MainQueue::main().scheduleRepeating(heldRetryInterval, [this] { retryHeld(); });
    }
}

bool X11HotKeyGrab::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || message == nullptr) {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const uint8_t type = event->response_type & ~0x80;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) {
        return false;
    }
    const auto* key = static_cast<const xcb_key_press_event_t*>(message);
    if (key->event != x_->root()) {
        return false;
    }
    handleKey(key->detail, key->state, type == XCB_KEY_PRESS);
    return true;
}

void X11HotKeyGrab::handleKey(uint8_t keyCode, uint16_t state, bool pressed) {
    PhysicalInput& physical = events_.physical();
    if (!pressed) {
        // The release goes with the press, even when the modifiers were let go first or the
        // grab has gone since.
        if (const auto down = keysDown_.find(keyCode); down != keysDown_.end()) {
            physical.keyUp(down->second);
            keysDown_.erase(down);
            modifierWatch_.start();
        }
        return;
    }
    const uint32_t carbon = carbonModifiersOfX11State(state, bits_);
    for (const Grab& held : grabbed_) {
        if (held.keyCode != keyCode || held.carbonModifiers != carbon) {
            continue;
        }
        followMachinePointer();
        const uint64_t flags = eventFlags(carbon);
        physical.holdExactly(flags, EventFlags::maskShortcutModifiers);
        sessionModifiers_ = flags;
        const bool repeat = !keysDown_.emplace(keyCode, held.hostKeyCode).second;
        physical.keyDown(held.hostKeyCode, 0, repeat);
        return;
    }
}

void X11HotKeyGrab::releaseModifiersLetGo() {
    const uint64_t stillHeld = eventFlags(carbonModifiersOfX11State(x_->modifierState(), bits_));
    events_.physical().releaseModifiers(sessionModifiers_ & ~stillHeld);
    sessionModifiers_ &= stillHeld;
    if (sessionModifiers_ == 0) {
        modifierWatch_.stop();
    }
}

} // namespace tessarin
