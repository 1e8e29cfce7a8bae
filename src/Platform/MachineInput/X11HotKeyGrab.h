#pragma once

#include "Platform/MachineInput/X11HotKeyGrabPlan.h"

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tessarin {

class EventSystem;
class HotKeyCenter;

// The host's registered hot keys, pressed anywhere on an X11 desktop. Exactly the combinations
// registered with the host's hot key service are grabbed on the root window (each also with Num
// Lock and Caps Lock on), following every registration and unregistration, and each press or
// release of one is posted into the host's session as its own hardware key event; the modifiers
// held with it are held in the session until the machine's keyboard lets them go. The grabs stay
// while a window of the program has the keys: X hands a grabbed key to the grabbing client
// alone, so it is not typed as well, and a grab let go while a window had the keys would lose
// the keys typed in the moment that window closes, before the grab is back. A combination
// another client holds is logged once and left alone. Does nothing off X11. Main thread only;
// the host must outlive it.
class X11HotKeyGrab final : public QAbstractNativeEventFilter {
public:
    X11HotKeyGrab(HotKeyCenter& hotKeys, EventSystem& events);
    ~X11HotKeyGrab() override;
    X11HotKeyGrab(const X11HotKeyGrab&) = delete;
    X11HotKeyGrab& operator=(const X11HotKeyGrab&) = delete;

    // Whether the program runs on an X11 server, so the grabs can be made.
    bool isActive() const { return connection_ != nullptr; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    struct Grab {
        uint8_t keyCode = 0;    // the machine's
        uint16_t modifiers = 0; // without the locks
        uint16_t hostKeyCode = 0;
        uint32_t carbonModifiers = 0;
    };
    struct Connection;

    void scheduleSync();
    void sync();
    void grabAll();
    void ungrabAll();
    bool grab(const Grab& grab);
    void readModifierBits();
    void handleKey(uint8_t keyCode, uint16_t state, bool pressed);
    void releaseModifiersLetGo();

    HotKeyCenter& hotKeys_;
    EventSystem& events_;
    void* connection_ = nullptr; // xcb_connection_t, owned by Qt
    uint32_t root_ = 0;
    std::unique_ptr<Connection> x_;
    X11ModifierBits bits_;
    std::vector<Grab> grabbed_;
    std::set<std::pair<uint16_t, uint32_t>> reportedTaken_;
    std::map<uint8_t, uint16_t> keysDown_; // the machine's key codes held, with the host's
    uint64_t sessionModifiers_ = 0;        // what this grab holds in the session
    bool syncScheduled_ = false;
    QObject context_;
    QTimer modifierWatch_;
};

} // namespace tessarin
