#pragma once

#include "Core/Seams/PreferencesWindowOpening.h"

namespace tessarin::fakes {

// Counts how often the preferences window was brought in front.
class RecordingPreferencesWindow : public PreferencesWindowOpening {
public:
    int shown = 0;
    void showPreferencesWindow() override { ++shown; }
};

} // namespace tessarin::fakes
