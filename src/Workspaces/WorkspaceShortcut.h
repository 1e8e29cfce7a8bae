#pragma once

#include "Hotkeys/HotkeyCombination.h"
#include "Support/Json.h"
#include "Support/Uuid.h"
#include "Workspaces/WorkspaceTargetKey.h"

#include <map>
#include <optional>
#include <string>

namespace tessarin {

// A named hotkey that brings several displays to chosen Spaces at once. Stored as a JSON object
// with "id", "name", "shortcut", "systemShortcutOverrideEnabled" and "targetAssignments" (a list
// of {"key", "visualIndex"}).
struct WorkspaceShortcut {
    Uuid id;
    std::string name;
    std::optional<HotkeyCombination> shortcut;
    bool systemShortcutOverrideEnabled = false;
    std::map<WorkspaceTargetKey, int> targets; // visual index from 0 per target

    Json toJson() const;
    // Nothing without a valid "id" and a string "name". The other fields are forgiving: a
    // shortcut that does not decode reads as none, a missing flag as false, and an assignment
    // with an unknown key or a negative or non-integer index is dropped.
    static std::optional<WorkspaceShortcut> fromJson(const Json& json);

    friend bool operator==(const WorkspaceShortcut&, const WorkspaceShortcut&) = default;
};

} // namespace tessarin
