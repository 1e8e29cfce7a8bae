#pragma once

#include <QMetaObject>
#include <Qt>
#include <functional>
#include <vector>

namespace tessarin {

class AppDelegate;

// Tells the delegate when the program becomes or stops being the active application, from Qt's
// application state. Qt counts an OSD panel made key as an active window of the program, but the
// panel takes keys without activating the program: that activation is not reported, or it would
// cancel the very grid that asked for the keys. A window of the program focused afterwards is.
class ApplicationActivationRelay {
public:
    explicit ApplicationActivationRelay(AppDelegate& delegate);
    ~ApplicationActivationRelay();
    ApplicationActivationRelay(const ApplicationActivationRelay&) = delete;
    ApplicationActivationRelay& operator=(const ApplicationActivationRelay&) = delete;

    // Whether the delegate was last told that the program is active.
    bool reportedActive() const { return reportedActive_; }

private:
    // Compares the state and Qt's focus window with what was reported, and reports a change.
    void update(Qt::ApplicationState state);

    AppDelegate& delegate_;
    bool reportedActive_ = false;
    std::vector<QMetaObject::Connection> connections_;
};

} // namespace tessarin
