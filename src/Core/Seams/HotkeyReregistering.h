#pragma once

namespace tessarin {

// The hotkey binding: registers every hotkey and workspace shortcut anew (after a display
// change has settled).
class HotkeyReregistering {
public:
    virtual ~HotkeyReregistering() = default;
    virtual void reregisterAllHotkeys() = 0;
};

} // namespace tessarin
