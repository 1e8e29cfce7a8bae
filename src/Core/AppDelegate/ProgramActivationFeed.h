#pragma once

#include <QMetaObject>
#include <Qt>

namespace tessarin {

class ProgramActivation;

// Carries the windowing system's activation of the program (Qt's application state and focus
// window) into the host's program activation, which the delegate and the views follow: one road
// for every activation, whoever causes it. Qt counts an OSD panel made key as an active window of
// the program, but the panel takes keys without activating the program: that activation is not
// passed on, or it would cancel the very grid that asked for the keys. A window of the program
// focused afterwards is. Made by `main` for the run, after the application object.
class ProgramActivationFeed {
public:
    explicit ProgramActivationFeed(ProgramActivation& activation);
    ~ProgramActivationFeed();
    ProgramActivationFeed(const ProgramActivationFeed&) = delete;
    ProgramActivationFeed& operator=(const ProgramActivationFeed&) = delete;

private:
    void follow(Qt::ApplicationState state);

    ProgramActivation& activation_;
    QMetaObject::Connection stateConnection_;
    QMetaObject::Connection focusConnection_;
};

} // namespace tessarin
