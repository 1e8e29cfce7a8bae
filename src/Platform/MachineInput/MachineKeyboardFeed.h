#pragma once

#include "Platform/Input/EventStage.h"
#include "Platform/MachineInput/KeyDeliveryOrder.h"

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <memory>

class QKeyEvent;

namespace tessarin {

class EventSystem;
struct Event;

// The keyboard of the machine the program runs on, as the simulated host's keyboard. While a
// window of the program has the keys, every key press, release and modifier change typed there
// is posted into the host's session as the host's own hardware event, and the window's widget
// gets the key only when the session hands it on to the front application: not when an event
// tap swallowed it (a recorder recording it) or a registered hot key took it. Keys the host has
// no code for (letters of other alphabets, typed through an input method) go straight to the
// widget, in the order they were typed.
//
// It filters the application's events, so it is made after every other application-wide
// filter (the main menu's key equivalents among them): the most recently installed filter sees
// a key first, and the menu must see it only once the host has delivered it. Main thread only;
// the event system must outlive it.
class MachineKeyboardFeed final : public QObject {
public:
    explicit MachineKeyboardFeed(EventSystem& events);
    ~MachineKeyboardFeed() override;
    MachineKeyboardFeed(const MachineKeyboardFeed&) = delete;
    MachineKeyboardFeed& operator=(const MachineKeyboardFeed&) = delete;

    // Keys typed but not yet settled by the host.
    std::size_t pendingCount() const { return order_.pendingCount(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool intercept(QObject& receiver, const QKeyEvent& key);
    void holdModifiersOf(const QKeyEvent& key);
    void carryIntoSession(QObject& receiver, const QKeyEvent& key, Event hostEvent);
    void queueForDelivery(QObject& receiver, const QKeyEvent& key, std::optional<int64_t> serial);
    void reachedFrontApplication(const Event& event);

    EventSystem& events_;
    EventConsumerToken consumer_;
    KeyDeliveryOrder order_;
    int64_t nextSerial_ = 1;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace tessarin
