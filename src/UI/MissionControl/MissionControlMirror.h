#pragma once

#include "Platform/MissionControl.h"

#include <map>
#include <memory>

namespace tessarin {

class MainQueue;
class MissionControlWindow;

// Shows the host's Mission Control on the desktop while it is open: a view over the frame of
// every display it shows on, the one under the pointer given the keys as it opens, all gone
// when it leaves. Changes arrive on a later turn of the main queue, several at once drawn once.
// Made after the host and dropped before it; the program makes one for its run when it has a
// display:
//
//     MissionControlMirror missionControlMirror(Host::current().missionControl());
class MissionControlMirror {
public:
    explicit MissionControlMirror(MissionControl& missionControl);
    ~MissionControlMirror();
    MissionControlMirror(const MissionControlMirror&) = delete;
    MissionControlMirror& operator=(const MissionControlMirror&) = delete;

    // The view on a display; none before Mission Control first showed there.
    MissionControlWindow* window(DisplayID displayID) const;

private:
    void scheduleUpdate();
    void update();
    void bringFront();

    MissionControl& missionControl_;
    MainQueue& queue_;
    MissionControl::ObserverToken token_ = 0;
    bool updateScheduled_ = false;
    bool showing_ = false;
    std::shared_ptr<bool> alive_;
    std::map<DisplayID, std::unique_ptr<MissionControlWindow>> windows_;
};

} // namespace tessarin
