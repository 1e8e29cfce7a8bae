#pragma once

#include "Model/Settings/DisplayOverlaySettings.h"
#include "UI/MenuBar/MenuBarGridIconModel.h"
#include "UI/Overlays/PersistentOverlayWindows.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

class OSDOverlayPanel;
class PersistentOverlayImageView;

// The always-visible picture of each display's grid of Spaces: one borderless window per
// display, above ordinary windows on every Space, placed by the display's overlay settings.
// Every refresh recomputes all displays from the providers. Main thread only.
class PersistentGridOverlayController {
public:
    using GridModelProvider =
        std::function<std::optional<MenuBarGridIconModel>(const std::string& displayIdentifier)>;
    using OverlaySettingsProvider =
        std::function<DisplayOverlaySettings(const std::string& displayIdentifier)>;

    PersistentGridOverlayController();
    ~PersistentGridOverlayController();
    PersistentGridOverlayController(const PersistentGridOverlayController&) = delete;
    PersistentGridOverlayController& operator=(const PersistentGridOverlayController&) = delete;

    // With grid mode off every window is ordered out and kept; otherwise each host screen's
    // overlay is drawn, placed and shown, or removed when it is off or cannot be drawn.
    void refresh(bool gridModeEnabled, const GridModelProvider& gridModelProvider,
                 const OverlaySettingsProvider& overlaySettingsProvider);
    // Orders every window out; a later refresh shows the same windows again.
    void hideAll();

    // The window of a display, or null when it has none.
    const OSDOverlayPanel* window(const std::string& displayIdentifier) const;
    std::vector<std::string> displayIdentifiers() const;

private:
    struct OverlayComponents;
    OverlayComponents& components(const std::string& displayIdentifier);
    void remove(const std::string& displayIdentifier);

    PersistentOverlayWindows<OverlayComponents> windows_;
};

} // namespace tessarin
