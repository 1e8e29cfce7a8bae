#pragma once

#include "Core/WindowThrow/FocusedWindowThrowCandidate.h"
#include "Core/WindowThrow/FocusedWindowThrowError.h"
#include "Platform/WindowServerTypes.h"
#include "Support/Clock.h"
#include "Support/WorkItem.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

class MainQueue;
struct Event;

// Where a dragged window is to be thrown: the system's Desktop number (what its "Switch to
// Desktop N" shortcut counts) and the Space that Desktop is.
struct FocusedWindowThrowRequest {
    FocusedWindowThrowCandidate candidate;
    int desktopNumber = 0;
    SpaceID targetSpaceID = 0;
    std::optional<std::string> displayIdentifier; // for the log only

    friend bool operator==(const FocusedWindowThrowRequest&,
                           const FocusedWindowThrowRequest&) = default;
};

// How one throw ended: no error once the window was seen on the target Space.
struct FocusedWindowThrowResult {
    std::optional<FocusedWindowThrowError> error;
    SpaceID targetSpaceID = 0;
    std::vector<SpaceID> finalSpaceIDs; // the window's Spaces at the last look
    int pollCount = 0;
    TimeInterval elapsed = 0; // from the start of the throw to its end

    bool landed() const { return !error.has_value(); }

    friend bool operator==(const FocusedWindowThrowResult&,
                           const FocusedWindowThrowResult&) = default;
};

// A system keyboard shortcut: key code and event modifier flags (the character is not needed
// to post it).
struct FocusedWindowThrowShortcut {
    uint16_t virtualKeyCode = 0;
    uint64_t modifierFlags = 0;

    friend bool operator==(const FocusedWindowThrowShortcut&,
                           const FocusedWindowThrowShortcut&) = default;
};

// Throws the window the user is dragging to another Space by pressing the system's own
// "Switch to Desktop N" shortcut for them (the Dock carries a dragged window along on that
// shortcut), then watches the window's Spaces until it is on the target or time runs out.
//
// The steps run on the main queue: the shortcut is looked up and posted at once, the window is
// looked at every `pollInterval` until `timeout`. A throw ends exactly once, through the
// completion, with the window landed, an error, or `cancelled`.
class FocusedWindowThrowTask {
public:
    struct Timing {
        TimeInterval pollInterval = 0.1;
        TimeInterval timeout = 3.0;
    };

    struct Collaborators {
        // The enabled system shortcut that switches to a Desktop (1 to 16), if any.
        std::function<std::optional<FocusedWindowThrowShortcut>(int desktopNumber)>
            switchToDesktopShortcut;
        // Takes our own override tap out of the way, so it cannot swallow the posted keys.
        std::function<void()> suspendShortcutOverride;
        // Posts one synthetic event into the session; false when it cannot.
        std::function<bool(const Event&)> postEvent;
        // The Spaces that hold a window; nothing when they cannot be read.
        std::function<std::optional<std::vector<SpaceID>>(WindowID)> spacesForWindow;
        // Asked before every look at the window: true ends the throw as cancelled (the owner
        // cancelled its handle, for example at termination).
        std::function<bool()> isCancelled;
    };

    using Completion = std::function<void(const FocusedWindowThrowResult&)>;

    static constexpr int kFirstDesktopNumber = 1;
    static constexpr int kLastDesktopNumber = 16;

    // Starts a throw; its first step (look-up and posting) runs before this returns, so an
    // immediate error completes at once.
    static std::shared_ptr<FocusedWindowThrowTask> start(FocusedWindowThrowRequest request,
                                                         Collaborators collaborators, Timing timing,
                                                         MainQueue& queue, Completion completion);

    FocusedWindowThrowTask(FocusedWindowThrowRequest request, Collaborators collaborators,
                           Timing timing, MainQueue& queue, Completion completion);
    FocusedWindowThrowTask(const FocusedWindowThrowTask&) = delete;
    FocusedWindowThrowTask& operator=(const FocusedWindowThrowTask&) = delete;

    // Ends a running throw with `cancelled` at once; nothing once it has ended. The owner must
    // keep the task alive while it runs: the scheduled looks hold it only weakly.
    void cancel();
    bool isFinished() const { return finished_; }
    const FocusedWindowThrowRequest& request() const { return request_; }
    const std::optional<FocusedWindowThrowResult>& result() const { return result_; }

    // The key-down and key-up pair that presses a shortcut.
    static std::vector<Event> keyPressEvents(const FocusedWindowThrowShortcut& shortcut);

private:
    void begin();
    bool postShortcut(const FocusedWindowThrowShortcut& shortcut);
    void schedulePoll();
    void poll();
    void finish(std::optional<FocusedWindowThrowError> error);

    FocusedWindowThrowRequest request_;
    Collaborators collaborators_;
    Timing timing_;
    MainQueue& queue_;
    Completion completion_;
    std::weak_ptr<FocusedWindowThrowTask> self_;
    TimeInterval startedAt_ = 0;
    WorkItem pendingPoll_;
    std::vector<SpaceID> lastSpaceIDs_;
    int pollCount_ = 0;
    bool finished_ = false;
    std::optional<FocusedWindowThrowResult> result_;
};

} // namespace tessarin
