#pragma once

#include "Core/MissionControl/MissionControlSpaceCreationResult.h"
#include "Core/MissionControl/MissionControlSpaceCreationTarget.h"
#include "Core/MissionControl/MissionControlSpaceRemovalResult.h"
#include "Platform/AccessibilityElement.h"
#include "Platform/WindowServerTypes.h"
#include "Support/Clock.h"
#include "Support/WorkItem.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

class MainQueue;

// How long the creator waits for Mission Control and the Spaces, all held as nanoseconds.
struct MissionControlSpaceCreatorTiming {
    uint64_t missionControlOpenTimeout = 1'500'000'000;
    uint64_t verificationTimeout = 2'000'000'000;
    uint64_t pollInterval = 50'000'000;
    uint64_t animationSettlingDelay = 250'000'000;
    friend bool operator==(const MissionControlSpaceCreatorTiming&,
                           const MissionControlSpaceCreatorTiming&) = default;

    static TimeInterval seconds(uint64_t nanoseconds) {
        return static_cast<TimeInterval>(nanoseconds) / 1e9;
    }
};

// Adds or removes a Desktop on a display by driving Mission Control's Spaces bar through the
// Accessibility interface: opens Mission Control, finds the display's bar, presses its add
// button or the Desktop's close action, waits until the window server's Space list shows the
// change, lets the bar's animation settle and closes Mission Control again (only when it was
// closed before). Each operation is a chain of main-queue steps; its completion runs on the
// main queue with the result.
class MissionControlSpaceCreator {
public:
    using Timing = MissionControlSpaceCreatorTiming;

    // What the creator needs of the system. `hostDefaults()` reaches the current host on every
    // call: trust, the Dock's process, the bridge's Mission Control check, Mission Control
    // itself, the window server's Space lists, display bounds and the accessibility calls.
    struct Collaborators {
        std::function<bool()> isProcessTrusted;
        std::function<std::optional<int32_t>()> dockProcessIdentifier;
        std::function<bool()> isMissionControlActive;
        std::function<void()> openMissionControl;
        std::function<void()> closeMissionControl;
        // A Space display's Space IDs in system order; nothing when they cannot be read.
        std::function<std::optional<std::vector<SpaceID>>(
            const std::string& spaceDisplayIdentifier)>
            spaceIDs;
        std::function<Rect(DisplayID)> displayBounds; // window-server coordinates
        std::function<AccessibilityElement(int32_t processIdentifier)> createApplicationElement;
        std::function<AccessibilityResult<AccessibilityValue>(const AccessibilityElement&,
                                                              std::string_view attribute)>
            copyAttributeValue;
        std::function<AccessibilityResult<std::vector<std::string>>(const AccessibilityElement&)>
            copyActionNames;
        std::function<AccessibilityError(const AccessibilityElement&, std::string_view action)>
            performAction;
        std::function<MainQueue&()> queue;

        static Collaborators hostDefaults();
    };

    // The new Space's ID comes with `created` (and is none otherwise).
    using CreationCompletion = std::function<void(MissionControlSpaceCreationResult,
                                                  std::optional<SpaceID> createdSpaceID)>;
    using RemovalCompletion = std::function<void(MissionControlSpaceRemovalResult)>;

    MissionControlSpaceCreator();
    explicit MissionControlSpaceCreator(Collaborators collaborators, Timing timing = Timing{});
    ~MissionControlSpaceCreator();
    MissionControlSpaceCreator(const MissionControlSpaceCreator&) = delete;
    MissionControlSpaceCreator& operator=(const MissionControlSpaceCreator&) = delete;

    const Timing& timing() const { return timing_; }

    // Each returns the running operation's handle: cancelling it ends the chain at its next
    // step (closing a Mission Control it opened) without calling the completion. Destroying the
    // creator cancels its operations.
    WorkItem createSpace(const MissionControlSpaceCreationTarget& target,
                         CreationCompletion completion);
    // Removes the Space `spaceID`, expected at system index `spaceIndex` of the target's Space
    // display. The Space ID decides: when the Spaces moved meanwhile, its current position is
    // used, and when it is gone nothing is pressed.
    WorkItem removeSpace(const MissionControlSpaceCreationTarget& target, uint32_t spaceIndex,
                         SpaceID spaceID, RemovalCompletion completion);

    class Operation;

private:
    WorkItem start(std::shared_ptr<Operation> operation);

    std::shared_ptr<const Collaborators> collaborators_;
    Timing timing_;
    std::vector<WorkItem> handles_;
};

} // namespace tessarin
