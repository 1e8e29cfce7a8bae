#pragma once

#include "Platform/MachineInput/X11GrabConnection.h"
#include "Platform/MachineInput/X11HotKeyGrabPlan.h"
#include "Platform/MachineInput/X11ServerKeptKeys.h"
#include "Support/WorkItem.h"

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
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
// the keys typed in the moment that window closes, before the grab is back.
//
// What cannot be pressed is reported to the hot key service's delivery report and logged once
// per run: a combination the keyboard map gives to the server itself, and one another client
// holds. The latter is tried again every `heldRetryInterval` seconds on the main queue until it
// is taken, so a copy of the program that quits hands its keys on. The grabs of one refresh or
// retry are asked for together, one round trip, so keys held elsewhere do not keep the program
// waking. Alt, Super and Num Lock are the bits the server's modifier mapping gives them. Does
// nothing off X11. Main thread only; the host must outlive it.
class X11HotKeyGrab final : public QAbstractNativeEventFilter {
public:
    static constexpr double heldRetryInterval = 2.0;

    // On Qt's own X connection.
    X11HotKeyGrab(HotKeyCenter& hotKeys, EventSystem& events);
    // On the given connection; inactive when there is none.
    X11HotKeyGrab(HotKeyCenter& hotKeys, EventSystem& events,
                  std::unique_ptr<X11GrabConnection> connection);
    ~X11HotKeyGrab() override;
    X11HotKeyGrab(const X11HotKeyGrab&) = delete;
    X11HotKeyGrab& operator=(const X11HotKeyGrab&) = delete;

    // Whether the program runs on an X11 server, so the grabs can be made.
    bool isActive() const { return x_ != nullptr; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    // A grabbed key pressed or let go, by the machine's key code and the state it came with.
    void handleKey(uint8_t keyCode, uint16_t state, bool pressed);

private:
    struct Grab {
        uint8_t keyCode = 0;    // the machine's
        uint16_t modifiers = 0; // without the locks
        uint16_t hostKeyCode = 0;
        uint32_t carbonModifiers = 0;
    };
    using Combination = std::pair<uint32_t, uint32_t>; // host key code, Carbon mask

    void scheduleSync();
    void sync();
    void readKeyboardMap();
    void grabAll();
    void ungrabAll();
    // Every one asked of the server at once; answers, one by one, whether it was grabbed.
    std::vector<bool> grabTogether(const std::vector<Grab>& grabs);
    void noteHeldElsewhere(const Grab& grab);
    void reportKept(const Grab& grab);
    void retryHeld();
    void publishHeld();
    void releaseModifiersLetGo();

    HotKeyCenter& hotKeys_;
    EventSystem& events_;
    std::unique_ptr<X11GrabConnection> x_;
    X11ModifierBits bits_;
    X11KeyboardMap map_;
    bool mapRead_ = false;
    std::vector<Grab> grabbed_;
    std::map<Combination, Grab> heldElsewhere_;
    std::set<Combination> reportedTaken_;
    std::set<Combination> reportedKept_;
    std::map<uint8_t, uint16_t> keysDown_; // the machine's key codes held, with the host's
    uint64_t sessionModifiers_ = 0;        // what this grab holds in the session
    bool syncScheduled_ = false;
    WorkItem pendingSync_;
    WorkItem heldRetry_;
    QObject context_;
    QTimer modifierWatch_;
};

} // namespace tessarin
