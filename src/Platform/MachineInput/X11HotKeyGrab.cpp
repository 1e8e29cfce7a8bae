#include "Platform/MachineInput/X11HotKeyGrab.h"

#include "Platform/Input/EventSystem.h"
#include "Platform/Input/HotKeyCenter.h"
#include "Platform/MachineInput/MachinePointer.h"
#include "Support/Logger.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace tessarin {

namespace {

constexpr uint32_t kAltL = 0xffe9;
constexpr uint32_t kSuperL = 0xffeb;
constexpr uint32_t kNumLock = 0xff7f;
// While a grabbed key's modifiers are held, how often the machine's keyboard is asked whether
// they still are: the grab ends with the key, so their release goes to another client.
constexpr int kModifierWatchMilliseconds = 30;

const Logger& logger() {
    static const Logger instance("Hotkeys");
    return instance;
}

xcb_connection_t* qtConnection() {
    auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (application == nullptr || QGuiApplication::platformName() != "xcb") {
        return nullptr;
    }
    auto* x11 = application->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

// The first key code that types `keySym`, or 0.
xcb_keycode_t keyCodeFor(xcb_key_symbols_t* symbols, uint32_t keySym) {
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keySym);
    const xcb_keycode_t code = codes != nullptr ? codes[0] : XCB_NO_SYMBOL;
    std::free(codes);
    return code;
}

} // namespace

struct X11HotKeyGrab::Connection {
    xcb_connection_t* connection = nullptr;
    xcb_key_symbols_t* symbols = nullptr;
    ~Connection() {
        if (symbols != nullptr) {
            xcb_key_symbols_free(symbols);
        }
    }
};

X11HotKeyGrab::X11HotKeyGrab(HotKeyCenter& hotKeys, EventSystem& events)
    : hotKeys_(hotKeys), events_(events) {
    xcb_connection_t* connection = qtConnection();
    if (connection == nullptr) {
        return;
    }
    connection_ = connection;
    x_ = std::make_unique<Connection>();
    x_->connection = connection;
    x_->symbols = xcb_key_symbols_alloc(connection);
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    readModifierBits();
    QCoreApplication::instance()->installNativeEventFilter(this);
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
    hotKeys_.setRegistrationsChangedHandler(nullptr);
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->removeNativeEventFilter(this);
    }
    ungrabAll();
    xcb_flush(x_->connection);
}

void X11HotKeyGrab::readModifierBits() {
    xcb_connection_t* c = x_->connection;
    const xcb_keycode_t alt = keyCodeFor(x_->symbols, kAltL);
    const xcb_keycode_t super = keyCodeFor(x_->symbols, kSuperL);
    const xcb_keycode_t numLock = keyCodeFor(x_->symbols, kNumLock);
    xcb_get_modifier_mapping_reply_t* reply =
        xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr);
    if (reply == nullptr) {
        return;
    }
    const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(reply);
    const int perModifier = reply->keycodes_per_modifier;
    // Shift, Lock and Control are fixed; Alt, Super and Num Lock sit on Mod1 to Mod5.
    for (int modifier = 3; modifier < 8; ++modifier) {
        for (int i = 0; i < perModifier; ++i) {
            const xcb_keycode_t code = codes[modifier * perModifier + i];
            const auto bit = static_cast<uint16_t>(1 << modifier);
            if (code == XCB_NO_SYMBOL) {
                continue;
            }
            if (code == alt) {
                bits_.alt = bit;
            } else if (code == super) {
                bits_.super = bit;
            } else if (code == numLock) {
                bits_.numLock = bit;
            }
        }
    }
    std::free(reply);
}

void X11HotKeyGrab::scheduleSync() {
    if (syncScheduled_) {
        return;
    }
    syncScheduled_ = true;
    QMetaObject::invokeMethod(
        &context_,
        [this] {
            syncScheduled_ = false;
            sync();
        },
        Qt::QueuedConnection);
}

void X11HotKeyGrab::sync() {
    ungrabAll();
    grabAll();
    xcb_flush(x_->connection);
}

void X11HotKeyGrab::grabAll() {
    for (const HotKeyCenter::Registration& registration : hotKeys_.registrations()) {
        const auto hostKeyCode = static_cast<uint16_t>(registration.keyCode);
        const auto keySym = x11KeySymForHostKeyCode(hostKeyCode);
        const xcb_keycode_t keyCode = keySym ? keyCodeFor(x_->symbols, *keySym) : XCB_NO_SYMBOL;
        if (keyCode == XCB_NO_SYMBOL) {
            continue;
        }
        const Grab wanted{keyCode, x11Modifiers(registration.modifiers, bits_), hostKeyCode,
                          registration.modifiers};
        if (grab(wanted)) {
            grabbed_.push_back(wanted);
        }
    }
}

bool X11HotKeyGrab::grab(const Grab& wanted) {
    xcb_connection_t* c = x_->connection;
    std::vector<xcb_void_cookie_t> cookies;
    const std::vector<uint16_t> variants = x11LockVariants(wanted.modifiers, bits_);
    for (uint16_t modifiers : variants) {
        cookies.push_back(xcb_grab_key_checked(c, 0, root_, modifiers, wanted.keyCode,
                                               XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    }
    bool taken = false;
    for (const xcb_void_cookie_t& cookie : cookies) {
        if (xcb_generic_error_t* error = xcb_request_check(c, cookie)) {
            taken = true;
            std::free(error);
        }
    }
    if (!taken) {
        return true;
    }
    for (uint16_t modifiers : variants) {
        xcb_ungrab_key(c, wanted.keyCode, root_, modifiers);
    }
    if (reportedTaken_.insert({wanted.hostKeyCode, wanted.carbonModifiers}).second) {
        logger().error("hotkey.x11.grabTaken combination=" +
                       x11CombinationName(wanted.hostKeyCode, wanted.carbonModifiers) +
                       " reason=held by another client");
    }
    return false;
}

void X11HotKeyGrab::ungrabAll() {
    for (const Grab& held : grabbed_) {
        for (uint16_t modifiers : x11LockVariants(held.modifiers, bits_)) {
            xcb_ungrab_key(x_->connection, held.keyCode, root_, modifiers);
        }
    }
    grabbed_.clear();
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
    if (key->event != root_) {
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
    xcb_connection_t* c = x_->connection;
    xcb_query_pointer_reply_t* reply =
        xcb_query_pointer_reply(c, xcb_query_pointer(c, root_), nullptr);
    const uint16_t state = reply != nullptr ? reply->mask : 0;
    std::free(reply);
    const uint64_t stillHeld = eventFlags(carbonModifiersOfX11State(state, bits_));
    events_.physical().releaseModifiers(sessionModifiers_ & ~stillHeld);
    sessionModifiers_ &= stillHeld;
    if (sessionModifiers_ == 0) {
        modifierWatch_.stop();
    }
}

} // namespace tessarin
