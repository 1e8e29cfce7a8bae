#pragma once

namespace tessarin {

// The application shell's refreshes after a Space change the engine made or undid: the
// menu-bar Space information and the persistent overlays.
class ShellRefreshing {
public:
    virtual ~ShellRefreshing() = default;
    virtual void refreshSpaceInfo() = 0;
    virtual void refreshPersistentGridOverlay() = 0;
};

} // namespace tessarin
