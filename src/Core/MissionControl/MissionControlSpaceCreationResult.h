#pragma once

namespace tessarin {

// How adding a Desktop through Mission Control ended.
enum class MissionControlSpaceCreationResult {
    created,
    accessibilityPermissionMissing,
    dockUnavailable,          // no Dock process to ask
    spacesUnavailable,        // the display's Spaces could not be read
    missionControlDidNotOpen, // not open within the open time-out
    spacesBarNotFound,        // open, but the display has no Spaces bar
    addButtonNotFound,
    actionFailed,         // the bar refused the press
    verificationTimedOut, // no new Space appeared within the verification time-out
};

const char* missionControlSpaceCreationResultName(MissionControlSpaceCreationResult result);

} // namespace tessarin
