#pragma once

#include "Model/Settings/DisplayOSDSettings.h"
#include "Platform/SystemServices.h"
#include "UI/OSD/OSDBackdropView.h"
#include "UI/OSD/OSDFooterButton.h"
#include "UI/OSD/OSDGridMouseInteractionContext.h"
#include "UI/OSD/OSDGridView.h"
#include "UI/OSD/OSDOverlayPanel.h"

#include <QLabel>
#include <memory>
#include <optional>
#include <string>

namespace tessarin {

// One OSD grid window and the views inside it: backdrop, grid, header and footer. The primary
// grid and every secondary grid are built the same way.
struct OSDGridWindowParts {
    static constexpr const char* appName = "Tessarin";
    static constexpr const char* defaultFooterTitle = "Drag to re-arrange";
    // The footer buttons' names, to find them by.
    static constexpr const char* missionControlButtonName = "osd.footer.missionControl";
    static constexpr const char* addDesktopButtonName = "osd.footer.addDesktop";

    // A hidden panel sized for the stored grid size, with every view in place.
    static std::unique_ptr<OSDGridWindowParts> make(std::optional<std::string> displayIdentifier);
    ~OSDGridWindowParts();

    bool isVisible() const { return panel->isVisible(); }
    // The footer text and buttons, and whether the panel takes the pointer; no context also
    // clears the grid view's.
    void applyInteractionContext(const std::optional<OSDGridMouseInteractionContext>& context);
    // Each footer button shows exactly when the context has its callback.
    void updateFooterButtons(const std::optional<OSDGridMouseInteractionContext>& context);
    // Sizes the panel to `size` (top edge kept) and lays the views out.
    void resize(Size size, OSDGridSize gridSize, bool showsFooter);
    void layoutSubviews(OSDGridSize gridSize, bool showsFooter);
    // Places the shown buttons at the footer's right end; answers where the leftmost begins, 6
    // points clear of it (the footer's right edge when none is shown).
    double layoutFooterButtons(const Rect& footer, double windowHeight);
    void applyBackdropOpacity(OSDGridOpacity opacity);
    // Light or dark chrome; automatic follows the host's appearance.
    void applyAppearanceMode(OSDAppearanceMode mode);
    // The header picture of the style, tinted with the label colour when it is a template.
    void applyHeaderIconStyle(OSDHeaderIconStyle style);
    // Icon, app name and Space title along the header band.
    void layoutHeader(const Rect& header, double scale, double windowHeight);
    void applyBackdropFill();
    void applyChromeFonts(double gridWidth);
    // Orders the panel out at once, ready to be shown again.
    void orderOutAndReset();
    double renderingInset() const;

    std::optional<std::string> displayIdentifier;
    std::optional<DisplayOSDSettings> currentSettings;
    Appearance appearance = Appearance::dark;
    std::unique_ptr<OSDOverlayPanel> panel;
    OSDBackdropView* backdrop = nullptr;
    OSDGridView* gridView = nullptr;
    QLabel* headerIconView = nullptr;
    QLabel* headerTitleLabel = nullptr;
    QLabel* headerDetailLabel = nullptr;
    QLabel* footerLabel = nullptr;
    OSDFooterButton* footerMissionControlButton = nullptr;
    OSDFooterButton* footerAddDesktopButton = nullptr;
};

// The header text of the active Space: its title, else "Space" and its number.
std::string gridHeaderTitle(const std::optional<OSDGridModel>& model);
// "osdGridSize" from the program's defaults; anything unknown counts as large.
OSDGridSize storedGridSize();

} // namespace tessarin
