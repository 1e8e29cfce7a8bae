#pragma once

#include "Model/Settings/OSDGridAppearanceSettings.h"
#include "UI/OSD/OSDGridAppIconEntry.h"
#include "UI/OSD/OSDGridModel.h"
#include "UI/OSD/OSDWindowControlling.h"

#include <QImage>

namespace tessarin {

// A fixed, fully drawn sample grid: nine Spaces with window-like pictures, app icons, icon
// stacks and titles, and a fixed look. Every picture is painted in code, so the OSD's look can
// be inspected and written to a PNG on any machine, without Spaces, windows or capture.
class OSDVisualPreviewFixture {
public:
    OSDVisualPreviewFixture() = delete;

    struct FixtureIcons {
        OSDGridAppIconEntry firefox;
        OSDGridAppIconEntry safari;
        OSDGridAppIconEntry code;
        OSDGridAppIconEntry browser;
        OSDGridAppIconEntry news;
        OSDGridAppIconEntry search;
        OSDGridAppIconEntry slack;
    };

    static constexpr int screenshotWidth = 320;
    static constexpr int screenshotHeight = 180;
    static constexpr const char* footerTitle = "Select or drag to re-arrange";
    static constexpr double cancelFadeDuration = 0.2;

    static const OSDGridModel& model();
    static const OSDGridAppearanceSettings& appearanceSettings();
    static const FixtureIcons& fixtureIcons();

    // The pictures of the cells, for tests: cell 3 is the active code window, cell 4 the same
    // window dimmed.
    static QImage codeScreenshot(bool isActive);

    // Shows the sample grid on the window, without the active-Space animation, until it is
    // cancelled.
    static void show(OSDWindowControlling& window,
                     const std::optional<std::string>& displayIdentifier = std::nullopt);
};

} // namespace tessarin
