#pragma once

#include "Platform/MachineInput/MachineInputSession.h"

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <memory>

class QKeyEvent;

namespace tessarin {

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
// the session must outlive it.
class MachineKeyboardFeed final : public QObject {
public:
    explicit MachineKeyboardFeed(MachineInputSession& session);
    ~MachineKeyboardFeed() override;
    MachineKeyboardFeed(const MachineKeyboardFeed&) = delete;
    MachineKeyboardFeed& operator=(const MachineKeyboardFeed&) = delete;

    // Keys typed (and clicks made) but not yet settled by the host.
    std::size_t pendingCount() const { return session_.pendingCount(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool intercept(QObject& receiver, const QKeyEvent& key);
    void holdModifiersOf(const QKeyEvent& key);
    void carryIntoSession(QObject& receiver, const QKeyEvent& key, Event hostEvent);
    static MachineInputSession::Delivery delivery(QObject& receiver, const QKeyEvent& key);

    MachineInputSession& session_;
};

} // namespace tessarin
