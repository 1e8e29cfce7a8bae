#pragma once

#include "Model/Seams/PreferencesWindowPresenting.h"

namespace tessarin::fakes {

// Counts how often the preferences window was brought in front.
class RecordingPreferencesWindow : public PreferencesWindowPresenting {
public:
    int shown = 0;
    bool hasWindow() const override { return true; }
    void bringWindowToFront() override { ++shown; }
};

} // namespace tessarin::fakes
