#pragma once

#include <string>

namespace tessarin {

class Preferences;
class WindowServer;

// System Settings' Desktop & Dock pane, on its Mission Control switches. "Automatically
// rearrange Spaces based on most recent use" is the Dock's "mru-spaces" (on when unset);
// "Displays have separate Spaces" is "spans-displays" of "com.apple.spaces" turned round, and
// the window server groups the Spaces anew at once. Main-thread only.
class DesktopAndDockPane {
public:
    static constexpr const char* kDockDomain = "com.apple.dock";
    static constexpr const char* kAutomaticallyRearrangeKey = "mru-spaces";
    static constexpr const char* kSpacesDomain = "com.apple.spaces";
    static constexpr const char* kSpansDisplaysKey = "spans-displays";

    DesktopAndDockPane(Preferences& preferences, WindowServer& windows);

    bool automaticallyRearrangesSpaces() const;
    void setAutomaticallyRearrangesSpaces(bool on);
    bool displaysHaveSeparateSpaces() const;
    void setDisplaysHaveSeparateSpaces(bool on);

private:
    Preferences& preferences_;
    WindowServer& windows_;
};

} // namespace tessarin
