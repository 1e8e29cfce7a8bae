#pragma once

#include "Model/Settings/DisplayTitleOverlaySettings.h"
#include "UI/Overlays/PersistentOverlayWindows.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

class OSDOverlayPanel;
struct PersistentTitleOverlayLayout;

// The always-visible name of the Space each display is on: a small rounded black label with
// white text, one borderless window per display above ordinary windows on every Space. It
// does not depend on grid mode. Main thread only.
class PersistentTitleOverlayController {
public:
    using TitleProvider =
        std::function<std::optional<std::string>(const std::string& displayIdentifier)>;
    using OverlaySettingsProvider =
        std::function<DisplayTitleOverlaySettings(const std::string& displayIdentifier)>;

    PersistentTitleOverlayController();
    ~PersistentTitleOverlayController();
    PersistentTitleOverlayController(const PersistentTitleOverlayController&) = delete;
    PersistentTitleOverlayController& operator=(const PersistentTitleOverlayController&) = delete;

    void refresh(const TitleProvider& titleProvider,
                 const OverlaySettingsProvider& overlaySettingsProvider);
    // Orders every window out; the windows are kept.
    void hideAll();

    const OSDOverlayPanel* window(const std::string& displayIdentifier) const;
    // The title a display's label shows, or none when it has no window.
    std::optional<std::string> title(const std::string& displayIdentifier) const;
    std::vector<std::string> displayIdentifiers() const;

private:
    struct OverlayComponents;
    OverlayComponents& components(const std::string& displayIdentifier);
    void remove(const std::string& displayIdentifier);

    PersistentOverlayWindows<OverlayComponents> windows_;
};

} // namespace tessarin
