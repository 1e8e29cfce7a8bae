#pragma once

namespace tessarin {

// Something that registers every hotkey and workspace shortcut anew in the delegate's place;
// given one, the delegate hands its own re-registration to it.
class HotkeyReregistering {
public:
    virtual ~HotkeyReregistering() = default;
    virtual void reregisterAllHotkeys() = 0;
};

} // namespace tessarin
