#pragma once

namespace tessarin {

// The user's answer when a recorded shortcut is also one of the system's Mission Control or
// Desktop shortcuts.
enum class SystemShortcutConflictResolution { useAnyway, openKeyboardShortcuts, cancel };

} // namespace tessarin
