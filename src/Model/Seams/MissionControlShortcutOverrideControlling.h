#pragma once

namespace tessarin {

// The Mission Control shortcut override tap, as the window throw needs it: taken away while
// the throw presses a system shortcut that the tap might otherwise swallow. Stopping empties
// its table; the next registration of all hotkeys brings it back.
class MissionControlShortcutOverrideControlling {
public:
    virtual ~MissionControlShortcutOverrideControlling() = default;
    virtual void stop() = 0;
};

} // namespace tessarin
