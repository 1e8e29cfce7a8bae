#pragma once

#include "Platform/Input/Event.h"
#include "Platform/Input/EventStage.h"
#include "Platform/Input/HotKeyDelivery.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace tessarin {

class EventSystem;

// Modifier mask of a registered hot key.
namespace CarbonModifiers {
inline constexpr uint32_t cmdKey = 0x100;
inline constexpr uint32_t shiftKey = 0x200;
inline constexpr uint32_t alphaLock = 0x400;
inline constexpr uint32_t optionKey = 0x800;
inline constexpr uint32_t controlKey = 0x1000;
inline constexpr uint32_t shortcutModifiers = cmdKey | shiftKey | optionKey | controlKey;
} // namespace CarbonModifiers

// The Carbon mask of event flags (Command, Shift, Option, Control; other flags are dropped),
// and back.
uint32_t carbonModifiers(uint64_t eventFlags);
uint64_t eventFlags(uint32_t carbonModifiers);

// Status codes of hot-key calls.
namespace HotKeyStatus {
inline constexpr int32_t noErr = 0;
inline constexpr int32_t eventNotHandledErr = -9874;
inline constexpr int32_t eventHotKeyExistsErr = -9878;
inline constexpr int32_t eventHotKeyInvalidErr = -9879;
inline constexpr int32_t paramErr = -50;
} // namespace HotKeyStatus

// Event class and kinds delivered to installed handlers.
inline constexpr uint32_t kEventClassKeyboard = 0x6B657962; // 'keyb'
inline constexpr uint32_t kEventHotKeyPressed = 5;
inline constexpr uint32_t kEventHotKeyReleased = 6;

struct EventHotKeyID {
    uint32_t signature = 0;
    uint32_t id = 0;
    friend bool operator==(const EventHotKeyID&, const EventHotKeyID&) = default;
};

// Handle on one registered hot key; 0 is no hot key.
struct EventHotKeyRef {
    uint64_t value = 0;
    explicit operator bool() const { return value != 0; }
    friend auto operator<=>(const EventHotKeyRef&, const EventHotKeyRef&) = default;
};

struct EventTypeSpec {
    uint32_t eventClass = 0;
    uint32_t eventKind = 0;
    friend bool operator==(const EventTypeSpec&, const EventTypeSpec&) = default;
};

// A hot-key event as handlers receive it. The hot-key identifier is its direct-object parameter;
// an event without one (it can be built by tests) makes the parameter read fail.
struct CarbonEvent {
    uint32_t eventClass = kEventClassKeyboard;
    uint32_t eventKind = kEventHotKeyPressed;
    std::optional<EventHotKeyID> hotKeyID;
    double timestamp = 0; // seconds of uptime
};

// Reads the hot-key identifier parameter: the status and, when it is noErr, the value.
int32_t getEventHotKeyIDParameter(const CarbonEvent& event, EventHotKeyID& outID);

using CarbonEventHandler = std::function<int32_t(const CarbonEvent&)>;

struct EventHandlerRef {
    uint64_t value = 0;
    explicit operator bool() const { return value != 0; }
    friend bool operator==(const EventHandlerRef&, const EventHandlerRef&) = default;
};

// System-wide hot keys registered in the Carbon manner. A key down that matches a registered
// key code and modifier mask is taken at `EventStage::registeredHotKeys` and turned into a "hot
// key pressed" event for the installed handlers (its key up into "released"); the application in
// front sees neither. Autorepeats of a held hot key are taken without a new event. The event
// system must outlive the center.
class HotKeyCenter {
public:
    explicit HotKeyCenter(EventSystem& events);
    ~HotKeyCenter();
    HotKeyCenter(const HotKeyCenter&) = delete;
    HotKeyCenter& operator=(const HotKeyCenter&) = delete;

    // Handlers run newest first until one returns something other than eventNotHandledErr.
    EventHandlerRef installEventHandler(std::vector<EventTypeSpec> types,
                                        CarbonEventHandler handler);
    int32_t removeEventHandler(EventHandlerRef handler);

    // noErr and a reference, or a non-zero status (eventHotKeyExistsErr when the combination is
    // taken, or what the test refusal says) and no reference.
    int32_t registerEventHotKey(uint32_t keyCode, uint32_t modifiers, EventHotKeyID hotKeyID,
                                EventHotKeyRef& outRef);
    int32_t unregisterEventHotKey(EventHotKeyRef ref);

    // Sends an event to the installed handlers as the system would; returns the handlers'
    // status, or eventNotHandledErr when no handler wants it.
    int32_t dispatch(const CarbonEvent& event);

    // A test rule that makes the system refuse registrations: a non-zero status refuses.
    void setRegistrationRefusal(
        std::function<std::optional<int32_t>(uint32_t keyCode, uint32_t modifiers)> rule);

    struct Registration {
        uint32_t keyCode = 0;
        uint32_t modifiers = 0;
        EventHotKeyID hotKeyID;
        friend bool operator==(const Registration&, const Registration&) = default;
    };
    // The hot keys registered now, in registration order.
    std::vector<Registration> registrations() const;
    bool isRegistered(uint32_t keyCode, uint32_t modifiers) const;

    // Told after every registration and unregistration that changed the set, so a bridge to
    // another keyboard (the machine's own) can follow it; one observer at a time.
    void setRegistrationsChangedHandler(std::function<void()> handler);

    // Which combinations the machine's keyboard cannot deliver, as its bridge reports them.
    HotKeyDelivery& delivery() { return delivery_; }
    const HotKeyDelivery& delivery() const { return delivery_; }

private:
    struct Handler {
        EventHandlerRef ref;
        std::vector<EventTypeSpec> types;
        CarbonEventHandler callback;
    };
    bool consume(const Event& event);
    void announceRegistrationsChanged() const;
    std::optional<EventHotKeyRef> match(uint32_t keyCode, uint32_t modifiers) const;

    EventSystem& events_;
    EventConsumerToken consumerToken_;
    std::map<EventHotKeyRef, Registration> registrations_;
    std::set<EventHotKeyRef> pressed_;
    std::vector<Handler> handlers_;
    uint64_t nextRef_ = 1;
    uint64_t nextHandlerRef_ = 1;
    std::function<std::optional<int32_t>(uint32_t, uint32_t)> refusal_;
    std::function<void()> registrationsChanged_;
    HotKeyDelivery delivery_;
};

} // namespace tessarin
