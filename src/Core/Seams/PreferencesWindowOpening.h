#pragma once

namespace tessarin {

// The preferences window, as the health window's "Open Settings" brings it in front.
class PreferencesWindowOpening {
public:
    virtual ~PreferencesWindowOpening() = default;
    // Activates the program and brings the one preferences window to the front.
    virtual void showPreferencesWindow() = 0;
};

} // namespace tessarin
