#pragma once

#include "Hotkeys/HotkeyCombination.h"
#include "Model/Seams/OSDPresentationMetricsRecording.h"
#include "TessarinCore/TessarinCore.h"

#include <optional>
#include <string>

namespace tessarin {

// What the status-item menu asks of the application delegate. The menu bar controller holds
// its delegate weakly and does nothing for a command once the delegate is gone.
class MenuBarControllerDelegate {
public:
    virtual ~MenuBarControllerDelegate() = default;

    // One Space in a direction (0 left, 1 right, 2 up, 3 down); the menu passes no display (the
    // display under the pointer), no trigger and no trace.
    virtual void performSpaceSwitch(TessarinDirection direction,
                                    const std::optional<std::string>& displayIdentifier,
                                    const std::optional<HotkeyCombination>& triggerCombination,
                                    const OSDPresentationMetricsTraceRef& metricsTrace) = 0;
    // "Show Grid" on every screen or on the pointer's display, by the global setting.
    virtual bool showsOSDSpacePickerOnAllScreens() const = 0;
    virtual void showOSDSpacePickerOnAllScreens() = 0;
    virtual void showOSDSpacePickerOnCursorDisplay() = 0;
    virtual void createDesktopOnActiveDisplay() = 0;
    // The health window in setup mode.
    virtual void openHealthCheck() = 0;
    // Brings the preferences window forward; a delegate without one does nothing.
    virtual void openPreferences() {}
    // The delayed refresh behind the menu.
    virtual void refreshSpaceInfo() = 0;
    virtual void refreshPersistentGridOverlay() = 0;
};

} // namespace tessarin
