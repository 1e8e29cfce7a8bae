#pragma once

#include "Platform/MachineInput/MachineInputSession.h"

#include <QObject>
#include <memory>

class QMouseEvent;

namespace tessarin {

class Host;

// The mouse of the machine the program runs on, as the simulated host's mouse. A button pressed
// or let go in a window of the program is posted into the host's session as the host's own
// mouse event, and the widget gets it only when the session hands it on to the front
// application: not when an event tap swallowed the click (a recorder recording ends on it).
// A double click is the host's second mouse-down. Moves with a button held go to the widget
// only when their press did. Where the pointer lies on one of the host's displays as the machine's
// screen shows them, the host's pointer follows it; over the status item's stand-in or its menu
// it lies on the status item, in the menu-bar display's menu bar.
//
// It shares the session with the keyboard feed, so keys and clicks keep their order, and is
// made with it, after every other application-wide filter. Main thread only; the session and
// the host must outlive it.
class MachineMouseFeed final : public QObject {
public:
    MachineMouseFeed(MachineInputSession& session, Host& host);
    ~MachineMouseFeed() override;
    MachineMouseFeed(const MachineMouseFeed&) = delete;
    MachineMouseFeed& operator=(const MachineMouseFeed&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void followPointer(const QObject& under, const QPointF& globalPosition);
    void carryButton(QObject& receiver, const QMouseEvent& mouse);
    bool followPress(QObject& receiver, const QMouseEvent& mouse);
    static MachineInputSession::Delivery delivery(QObject& receiver, const QMouseEvent& mouse,
                                                  std::shared_ptr<bool> pressReached, bool isPress);

    MachineInputSession& session_;
    Host& host_;
    // Whether the latest press of a button reached the program's widget; set when it does.
    std::shared_ptr<bool> pressReached_ = std::make_shared<bool>(true);
};

} // namespace tessarin
