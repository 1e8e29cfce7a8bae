#pragma once

#include <string>

namespace tessarin {

// A system keyboard shortcut that is on, bound to the same keys as a combination of ours.
struct SystemKeyboardShortcutConflict {
    int symbolicHotKeyID = 0;
    std::string displayName;

    friend bool operator==(const SystemKeyboardShortcutConflict&,
                           const SystemKeyboardShortcutConflict&) = default;
};

} // namespace tessarin
