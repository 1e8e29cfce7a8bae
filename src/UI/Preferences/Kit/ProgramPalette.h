#pragma once

#include "UI/Preferences/Kit/SettingsAppearanceObserver.h"

#include <QPalette>

namespace tessarin {

// The palette every window of the program is drawn with: the kit's control palette of the
// host's light or dark appearance, set on the application and set again at every change of
// appearance. Sheets, alerts, menus and pop-up lists are windows of their own and inherit no
// window's palette, so the application's is the one they all share. The palette in force
// before comes back when this goes. Without a widget application it does nothing.
class ProgramPalette {
public:
    ProgramPalette();
    ~ProgramPalette();
    ProgramPalette(const ProgramPalette&) = delete;
    ProgramPalette& operator=(const ProgramPalette&) = delete;

private:
    void apply();

    bool active_;
    QPalette previous_;
    SettingsAppearanceObserver appearanceObserver_;
};

} // namespace tessarin
