#pragma once

#include "Model/Settings/DisplayPresentationSettingsStore.h"
#include "Platform/Program/ProgramActivation.h"
#include "Platform/WorkspaceNotificationCenter.h"
#include "Support/Published.h"
#include "UI/Preferences/Display/DisplaySettingsTargets.h"
#include "UI/Preferences/Kit/SettingsPageViewController.h"

#include <QColor>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPushButton;

namespace tessarin {

class DirectSlotMetadataStore;
class DisplaySpaceOrderStore;
class GridModeStore;
class OSDAppearanceModePickerControl;
class SettingsColorWell;
class SettingsPopUpButton;
class SettingsSegmentedControl;
class SettingsSliderControl;
class SettingsSheet;
class SettingsSwitch;

// What the Display page reads and writes. Empty members take the current host's shared stores
// and its live answers.
struct DisplaySettingsDependencies {
    GridModeStore* gridModeStore = nullptr;
    DisplayPresentationSettingsStore* presentationStore = nullptr;
    DisplaySpaceOrderStore* spaceOrderStore = nullptr;
    DirectSlotMetadataStore* directSlotMetadataStore = nullptr;
    std::function<bool()> displaysHaveSeparateSpacesProvider;
    std::function<bool()> screenRecordingPermissionProvider;
    std::function<int()> systemMajorVersionProvider;
};

// The four sheets that hold the finer settings of the page.
enum class DisplaySettingsSheet { previewSnapshot, osdAppearance, overlayAppearance, titleOverlay };
inline constexpr std::array kAllDisplaySettingsSheets{
    DisplaySettingsSheet::previewSnapshot, DisplaySettingsSheet::osdAppearance,
    DisplaySettingsSheet::overlayAppearance, DisplaySettingsSheet::titleOverlay};

// The rows the page reaches after building them, to change a detail line or an enabled state:
// five on the page, the rest in the sheets.
enum class DisplaySettingsRow {
    gridWrapStyle,
    osdPreviewSnapshot,
    osdCustomizeAppearance,
    overlayCustomizeAppearance,
    titleOverlayCustomizeAppearance,
    osdScreenshotTiming,
    osdScreenshotCaptureMode,
    osdAppearanceMode,
    osdHeaderIconStyle,
    osdGridPlacement,
    osdGridSize,
    osdGridOpacity,
    osdPreviewTint,
    osdActiveColorSource,
    osdActiveColor,
    overlayPlacement,
    overlaySize,
    overlayOpacity,
    titleOverlayPlacement,
    titleOverlayFont,
    titleOverlayFontSize,
    titleOverlayOpacity,
};
inline constexpr std::size_t kDisplaySettingsRowCount = 22;

// The Display page: the grid, OSD and overlay settings of all displays or of one display, whose
// values then override the global ones. The page shows the main settings; four sheets hold the
// finer ones. Its controls are made once and move into the rows that every rendering builds;
// every write goes to a store, whose revision brings the page back on a later turn.
class DisplaySettingsViewController final : public SettingsPageViewController {
public:
    explicit DisplaySettingsViewController(DisplaySettingsDependencies dependencies = {});
    ~DisplaySettingsViewController() override;

    void refreshDisplayTargets();
    // Rebuilds the four sections for the current scope and loads every control.
    void renderMainPage();
    // Forgets every row reference; the caller renders next.
    void resetRowReferences();
    // Sets every control, the sheets' included, from the stores for the current scope.
    void loadSettings();
    const DisplaySettingsTargets& targets() const { return targets_; }
    // The row showing a control right now; null when it is not shown or was rebuilt since.
    QWidget* row(DisplaySettingsRow row) const;

    // ---------------------------------------------------------------- Page actions
    void displayTargetChanged(int index);
    void resetDisplayOverrides();
    void gridColumnCountChanged();
    void gridBlocksAtEdgesChanged();
    void gridWrapStyleChanged();
    void gridUsePlaceholdersChanged();
    void showOSDChanged();
    void persistentGridOverlayChanged();
    void persistentTitleOverlayChanged();

    // ---------------------------------------------------------------- Sheets
    // Builds the sheet when it is not shown, loads the settings and shows it on the page's
    // window (when the page is in one).
    void showSheet(DisplaySettingsSheet sheet);
    void closeSheet(DisplaySettingsSheet sheet);
    QWidget* sheet(DisplaySettingsSheet sheet) const;

    // ---------------------------------------------------------------- Sheet actions
    // The screenshot settings are global whatever the scope.
    void osdScreenshotTimingChanged();
    void osdScreenshotCaptureModeChanged();
    void osdAppearanceModeChanged();
    void osdHeaderIconStyleChanged();
    void osdGridPlacementChanged();
    void osdGridSizeChanged();
    // The sliders hand in where they were left.
    void osdGridOpacityChanged(double value);
    void osdPreviewTintChanged(double value);
    void osdActiveColorSourceChanged();
    void osdActiveColorChanged(const QColor& color);
    void persistentGridOverlayPlacementChanged();
    void persistentGridOverlaySizeChanged();
    void persistentGridOverlayOpacityChanged(double value);
    void persistentTitleOverlayPlacementChanged();
    void persistentTitleOverlayOpacityChanged(double value);
    void persistentTitleOverlayFontChanged();
    void persistentTitleOverlayFontSizeChanged(double value);

protected:
    void viewDidLoad() override;

private:
    // Runs `body` on the page while it exists; deliveries and observers hold the page only
    // this weakly.
    template <class Body> auto weakly(Body body) const {
        return [page = std::weak_ptr<DisplaySettingsViewController*>(self_),
                body](auto&&... arguments) {
            if (auto alive = page.lock()) {
                body(**alive, arguments...);
            }
        };
    }
    void setupControls();
    void connectActions();
    void bindState();
    void observeScreenParameters();
    void observeAppActivation();
    bool hasOverrides(const std::string& displayIdentifier) const;
    void render();

    QWidget* makeScopeSection();
    QWidget* makeGridSection();
    QWidget* makeOSDSection();
    QWidget* makeOverlaySection();
    // Keeps the row under `reference`.
    QWidget* keepRow(DisplaySettingsRow reference, QWidget* row);

    void refreshPreviewSnapshotDetailText();
    void updateControlAvailability(bool osdEnabled, bool overlayEnabled, bool titleOverlayEnabled);
    void setRowEnabled(DisplaySettingsRow reference, bool enabled);
    void setRowDetail(DisplaySettingsRow reference, const std::string& detail);
    void showActiveColor(const std::string& rawValue);
    bool screenshotsAvailable() const;

    void populateTitleOverlayFontPopup();
    void addTitleOverlayFontFamily(const std::string& name);
    void selectTitleOverlayFontFamily(const std::string& name);

    SettingsSheet* makeSheet(DisplaySettingsSheet sheet);
    std::vector<QWidget*> makeSheetRows(DisplaySettingsSheet sheet);
    void forgetSheetRows(DisplaySettingsSheet sheet);
    static const std::vector<DisplaySettingsRow>& sheetRows(DisplaySettingsSheet sheet);
    void opacityChanged(SettingsSliderControl& slider, double value, const char* key,
                        int globalValue);
    void placementChanged(SettingsPopUpButton& popup,
                          DisplayPresentationSettingsStore::PlacementTarget target);
    bool isInWindow();

    GridModeStore& gridModeStore_;
    DisplayPresentationSettingsStore& presentationStore_;
    DisplaySpaceOrderStore& spaceOrderStore_;
    DirectSlotMetadataStore& directSlotMetadataStore_;
    UserDefaults& defaults_;
    std::function<bool()> displaysHaveSeparateSpacesProvider_;
    std::function<bool()> screenRecordingPermissionProvider_;
    std::function<int()> systemMajorVersionProvider_;

    DisplaySettingsTargets targets_;
    std::vector<Subscription> cancellables_;
    std::optional<WorkspaceNotificationCenter::Token> screenParametersObserver_;
    ProgramActivation::Token appActivationObserver_ = 0;
    std::shared_ptr<DisplaySettingsViewController*> self_;

    std::array<QPointer<QWidget>, kDisplaySettingsRowCount> rows_;
    std::array<QPointer<SettingsSheet>, kAllDisplaySettingsSheets.size()> sheets_;

    SettingsPopUpButton* displayTargetPopup_;
    QPushButton* resetDisplayOverridesButton_;
    SettingsPopUpButton* gridColumnCountPopup_;
    SettingsSwitch* gridBlocksAtEdgesSwitch_;
    SettingsSegmentedControl* gridWrapStyleSegmentedControl_;
    SettingsSwitch* gridUsePlaceholdersSwitch_;
    SettingsSwitch* showOSDSwitch_;
    QPushButton* osdPreviewSnapshotButton_;
    SettingsSegmentedControl* osdScreenshotTimingSegmentedControl_;
    SettingsSegmentedControl* osdScreenshotCaptureModeSegmentedControl_;
    QPushButton* osdCustomizeAppearanceButton_;
    OSDAppearanceModePickerControl* osdAppearanceModePicker_;
    SettingsSegmentedControl* osdHeaderIconStyleSegmentedControl_;
    SettingsPopUpButton* osdGridPlacementPopup_;
    SettingsSegmentedControl* osdGridSizeSegmentedControl_;
    SettingsSliderControl* osdGridOpacitySlider_;
    SettingsSliderControl* osdPreviewTintSlider_;
    SettingsSegmentedControl* osdActiveColorSourceSegmentedControl_;
    SettingsColorWell* osdActiveColorWell_;
    SettingsSwitch* persistentGridOverlaySwitch_;
    QPushButton* overlayCustomizeAppearanceButton_;
    SettingsPopUpButton* persistentGridOverlayPlacementPopup_;
    SettingsSliderControl* persistentGridOverlayOpacitySlider_;
    SettingsSegmentedControl* persistentGridOverlaySizeSegmentedControl_;
    SettingsSwitch* persistentTitleOverlaySwitch_;
    QPushButton* titleOverlayCustomizeAppearanceButton_;
    SettingsPopUpButton* persistentTitleOverlayPlacementPopup_;
    SettingsSliderControl* persistentTitleOverlayOpacitySlider_;
    SettingsPopUpButton* persistentTitleOverlayFontPopup_;
    SettingsSliderControl* persistentTitleOverlayFontSizeSlider_;
};

} // namespace tessarin
