#pragma once

namespace tessarin {

// How removing a Desktop through Mission Control ended.
enum class MissionControlSpaceRemovalResult {
    removed,
    accessibilityPermissionMissing,
    dockUnavailable,
    spacesUnavailable,
    spaceNotFound, // the Space is no longer on the display
    missionControlDidNotOpen,
    spacesBarNotFound,
    desktopButtonNotFound,  // the bar shows no button for the Space
    closeActionUnavailable, // the Space may not be closed (full screen, the last Desktop)
    actionFailed,
    verificationTimedOut, // the Space was still there at the end of the verification
};

const char* missionControlSpaceRemovalResultName(MissionControlSpaceRemovalResult result);

} // namespace tessarin
