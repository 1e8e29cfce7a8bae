#include "Model/Settings/GridModeStore.h"
#include "Model/Settings/PersistentTitleOverlayFont.h"
#include "UI/Preferences/Display/DisplaySettingsAvailability.h"
#include "UI/Preferences/Display/DisplaySettingsValues.h"
#include "UI/Preferences/Display/DisplaySettingsViewController.h"
#include "UI/Preferences/Display/DisplaySettingsViewIdentifier.h"
#include "UI/Preferences/Display/OSDAppearanceModePickerControl.h"
#include "UI/Preferences/Kit/SettingsCenteredControlRowView.h"
#include "UI/Preferences/Kit/SettingsColorWell.h"
#include "UI/Preferences/Kit/SettingsPopUpButton.h"
#include "UI/Preferences/Kit/SettingsRowView.h"
#include "UI/Preferences/Kit/SettingsSectionView.h"
#include "UI/Preferences/Kit/SettingsSegmentedControl.h"
#include "UI/Preferences/Kit/SettingsSliderControl.h"
#include "UI/Preferences/Kit/SettingsSwitch.h"

#include <QLabel>
#include <QPushButton>

namespace tessarin {

namespace Id = DisplaySettingsViewIdentifier;
namespace V = DisplaySettingsValues;
using Row = DisplaySettingsRow;

namespace {

SettingsRowView* controlRow(const char* title, const std::optional<std::string>& detail,
                            QWidget* control, const char* identifier) {
    return new SettingsRowView(
        title, detail ? std::optional<QString>(QString::fromStdString(*detail)) : std::nullopt,
        control, std::nullopt, QString(identifier));
}

// Selects the case's segment; a case the control does not list leaves it as it is.
template <class E> void selectCase(SettingsSegmentedControl& control, E value) {
    control.setSelectedSegment(V::indexOfCase(value));
}

template <class E> void selectCase(SettingsPopUpButton& popup, E value) {
    if (const int index = V::indexOfCase(value); index < popup.count()) {
        popup.setCurrentIndex(index);
    }
}

template <class E> std::optional<E> selectedCase(const SettingsSegmentedControl& control) {
    return V::caseAtIndex<E>(control.selectedSegment());
}

} // namespace

void DisplaySettingsViewController::renderMainPage() {
    installPageMadeBy([this] {
        return std::vector<QWidget*>{makeScopeSection(), makeGridSection(), makeOSDSection(),
                                     makeOverlaySection()};
    });
    loadSettings();
}

QWidget* DisplaySettingsViewController::makeScopeSection() {
    std::vector<QWidget*> rows{controlRow("Apply to",
                                          "Choose whether display settings should apply to all "
                                          "displays or only one connected display.",
                                          displayTargetPopup_, Id::displayTargetControl)};
    const DisplaySelectionTarget& target = targets_.selected();
    if (const auto identifier = target.displayIdentifier()) {
        const bool customized = hasOverrides(*identifier);
        rows.push_back(controlRow(
            "Display customizations",
            DisplaySettingsText::displayOverridesDetail(target.selectedDisplay->name, customized),
            resetDisplayOverridesButton_, Id::displayResetOverridesControl));
        resetDisplayOverridesButton_->setEnabled(customized);
    }
    return new SettingsSectionView("Scope", Id::displaySectionTitle, rows);
}

QWidget* DisplaySettingsViewController::makeGridSection() {
    const auto display = targets_.displayIdentifier();
    std::vector<QWidget*> rows{
        controlRow("Columns", std::nullopt, gridColumnCountPopup_, Id::gridColumnCountControl),
        controlRow("Block moves at grid edges",
                   "Normally moving beyond the edge of the grid wraps to the next/previous row "
                   "when moving horizontally or top/bottom of column when moving vertically. "
                   "Enabling this option blocks such moves.",
                   gridBlocksAtEdgesSwitch_, Id::gridBlocksAtEdgesControl)};
    if (!gridModeStore_.blocksAtEdges(display)) {
        rows.push_back(keepRow(
            Row::gridWrapStyle,
            controlRow("Wrap style",
                       DisplaySettingsText::wrapStyleDetail(gridModeStore_.wrapStyle(display)),
                       gridWrapStyleSegmentedControl_, Id::gridWrapStyleControl)));
    }
    rows.push_back(controlRow("Use placeholders",
                              "Keep empty visual slots for removed spaces unless they were "
                              "trailing spaces.",
                              gridUsePlaceholdersSwitch_, Id::gridUsePlaceholdersControl));
    return new SettingsSectionView("Grid", Id::gridSectionTitle, rows);
}

QWidget* DisplaySettingsViewController::makeOSDSection() {
    std::vector<QWidget*> rows{
        controlRow("On-screen display when switching spaces", std::nullopt, showOSDSwitch_,
                   Id::osdEnabledControl),
        keepRow(Row::osdPreviewSnapshot,
                controlRow("Preview Snapshot",
                           DisplaySettingsText::previewSnapshotDetail(
                               systemMajorVersionProvider_(), screenRecordingPermissionProvider_()),
                           osdPreviewSnapshotButton_, Id::osdPreviewSnapshotControl)),
        keepRow(Row::osdCustomizeAppearance,
                controlRow("Appearance",
                           "Customize OSD mode, position, size, colour, and preview tint.",
                           osdCustomizeAppearanceButton_, Id::osdCustomizeAppearanceControl))};
    return new SettingsSectionView("OSD", Id::osdSectionTitle, rows);
}

QWidget* DisplaySettingsViewController::makeOverlaySection() {
    std::vector<QWidget*> rows{
        controlRow("Always-visible Grid overlay", std::nullopt, persistentGridOverlaySwitch_,
                   Id::overlayEnabledControl),
        keepRow(Row::overlayCustomizeAppearance,
                controlRow("Appearance", "Customize overlay position, size, and opacity.",
                           overlayCustomizeAppearanceButton_,
                           Id::overlayCustomizeAppearanceControl)),
        controlRow("Always-visible title overlay", std::nullopt, persistentTitleOverlaySwitch_,
                   Id::titleOverlayEnabledControl),
        keepRow(Row::titleOverlayCustomizeAppearance,
                controlRow("Appearance",
                           "Customize title overlay position, font, size, and opacity.",
                           titleOverlayCustomizeAppearanceButton_,
                           Id::titleOverlayCustomizeAppearanceControl))};
    return new SettingsSectionView("Overlays", Id::overlaySectionTitle, rows);
}

void DisplaySettingsViewController::loadSettings() {
    const auto display = targets_.displayIdentifier();
    const DisplayPresentationSettingsSnapshot s = presentationStore_.snapshot(display);
    displayTargetPopup_->setEnabled(targets_.isChoosable());
    if (const auto index = targets_.selectedIndex()) {
        displayTargetPopup_->setCurrentIndex(*index);
    }
    selectCase(*gridColumnCountPopup_, gridModeStore_.columnCount(display));
    gridBlocksAtEdgesSwitch_->setOn(gridModeStore_.blocksAtEdges(display));
    selectCase(*gridWrapStyleSegmentedControl_, gridModeStore_.wrapStyle(display));
    setRowDetail(Row::gridWrapStyle,
                 DisplaySettingsText::wrapStyleDetail(
                     selectedCase<GridWrapStyle>(*gridWrapStyleSegmentedControl_)));
    gridUsePlaceholdersSwitch_->setOn(gridModeStore_.usePlaceholders(display));
    showOSDSwitch_->setOn(s.osd.isEnabled);
    osdAppearanceModePicker_->setSelectedMode(s.osd.appearanceMode);
    selectCase(*osdHeaderIconStyleSegmentedControl_, s.osd.headerIconStyle);
    selectCase(*osdScreenshotTimingSegmentedControl_, s.screenshotTiming);
    selectCase(*osdScreenshotCaptureModeSegmentedControl_, s.screenshotCaptureMode);
    refreshPreviewSnapshotDetailText();
    selectCase(*osdGridPlacementPopup_, s.osd.gridPlacement);
    selectCase(*osdGridSizeSegmentedControl_, s.osd.gridSize);
    osdGridOpacitySlider_->setValue(rawValue(s.osd.gridOpacity));
    osdPreviewTintSlider_->setValue(s.osd.previewTint.rawValue);
    persistentGridOverlaySwitch_->setOn(s.overlay.isEnabled);
    selectCase(*persistentGridOverlayPlacementPopup_, s.overlay.placement);
    persistentGridOverlayOpacitySlider_->setValue(rawValue(s.overlay.opacity));
    selectCase(*persistentGridOverlaySizeSegmentedControl_, s.overlay.size);
    persistentTitleOverlaySwitch_->setOn(s.titleOverlay.isEnabled);
    selectCase(*persistentTitleOverlayPlacementPopup_, s.titleOverlay.placement);
    persistentTitleOverlayOpacitySlider_->setValue(rawValue(s.titleOverlay.opacity));
    selectTitleOverlayFontFamily(s.titleOverlay.font.family);
    persistentTitleOverlayFontSizeSlider_->setValue(
        static_cast<int>(s.titleOverlay.font.pointSize));
    showActiveColor(s.overlay.activeColor.rawValue);
    updateControlAvailability(s.osd.isEnabled, s.overlay.isEnabled, s.titleOverlay.isEnabled);
}

void DisplaySettingsViewController::showActiveColor(const std::string& rawValue) {
    const bool systemHighlight = V::isSystemHighlight(rawValue);
    osdActiveColorSourceSegmentedControl_->setSelectedSegment(systemHighlight ? 1 : 0);
    osdActiveColorWell_->setColor(PersistentGridOverlayActiveColor{rawValue}.color());
    osdActiveColorWell_->setEnabled(!systemHighlight);
}

bool DisplaySettingsViewController::screenshotsAvailable() const {
    return !DisplaySettingsText::screenshotUnavailableReason(systemMajorVersionProvider_(),
                                                             screenRecordingPermissionProvider_());
}

void DisplaySettingsViewController::refreshPreviewSnapshotDetailText() {
    const auto reason = DisplaySettingsText::screenshotUnavailableReason(
        systemMajorVersionProvider_(), screenRecordingPermissionProvider_());
    setRowDetail(
        Row::osdScreenshotTiming,
        reason.value_or(DisplaySettingsText::screenshotTimingDetail(
            selectedCase<OSDGridScreenshotTiming>(*osdScreenshotTimingSegmentedControl_))));
    setRowDetail(Row::osdScreenshotCaptureMode,
                 reason.value_or(DisplaySettingsText::screenshotCaptureModeDetail(
                     selectedCase<OSDGridScreenshotCaptureMode>(
                         *osdScreenshotCaptureModeSegmentedControl_))));
}

void DisplaySettingsViewController::updateControlAvailability(bool osdEnabled, bool overlayEnabled,
                                                              bool titleOverlayEnabled) {
    const int version = systemMajorVersionProvider_();
    const bool granted = screenRecordingPermissionProvider_();
    const auto activeColor =
        presentationStore_.overlayActiveColorValue(targets_.displayIdentifier());
    const auto available = DisplaySettingsAvailability::of(
        {osdEnabled, gridModeStore_.isEnabled.value(), overlayEnabled, titleOverlayEnabled, version,
         granted, V::isSystemHighlight(activeColor.rawValue)});
    setRowDetail(Row::osdPreviewSnapshot,
                 DisplaySettingsText::previewSnapshotDetail(version, granted));
    setRowEnabled(Row::osdScreenshotTiming, available.screenshots);
    setRowEnabled(Row::osdScreenshotCaptureMode, available.screenshots);
    refreshPreviewSnapshotDetailText();
    for (Row osd : {Row::osdGridPlacement, Row::osdAppearanceMode, Row::osdHeaderIconStyle,
                    Row::osdGridSize, Row::osdGridOpacity, Row::osdPreviewTint}) {
        setRowEnabled(osd, available.osdControls);
    }
    setRowEnabled(Row::osdActiveColorSource, true);
    setRowEnabled(Row::osdActiveColor, available.activeColorWell);
    for (Row overlay : {Row::overlayPlacement, Row::overlayOpacity, Row::overlaySize}) {
        setRowEnabled(overlay, available.overlayControls);
    }
    for (Row title : {Row::titleOverlayPlacement, Row::titleOverlayOpacity, Row::titleOverlayFont,
                      Row::titleOverlayFontSize}) {
        setRowEnabled(title, available.titleOverlayControls);
    }
}

void DisplaySettingsViewController::setRowEnabled(DisplaySettingsRow reference, bool enabled) {
    QWidget* shown = row(reference);
    if (auto* plain = qobject_cast<SettingsRowView*>(shown)) {
        plain->applyEnabledState(enabled);
    } else if (auto* centered = qobject_cast<SettingsCenteredControlRowView*>(shown)) {
        centered->applyEnabledState(enabled);
    }
}

void DisplaySettingsViewController::setRowDetail(DisplaySettingsRow reference,
                                                 const std::string& detail) {
    auto* shown = qobject_cast<SettingsRowView*>(row(reference));
    if (shown != nullptr && shown->detailLabel() != nullptr) {
        shown->detailLabel()->setText(QString::fromStdString(detail));
    }
}

void DisplaySettingsViewController::populateTitleOverlayFontPopup() {
    persistentTitleOverlayFontPopup_->clear();
    for (const std::string& family : PersistentTitleOverlayFont::availableFamilies()) {
        addTitleOverlayFontFamily(family);
    }
}

void DisplaySettingsViewController::addTitleOverlayFontFamily(const std::string& name) {
    persistentTitleOverlayFontPopup_->addItemWithRawValue(
        V::titleOverlayFontTitle(name),
        QString::fromStdString(PersistentTitleOverlayFont::normalizedFamily(name)));
}

void DisplaySettingsViewController::selectTitleOverlayFontFamily(const std::string& name) {
    const QString family =
        QString::fromStdString(PersistentTitleOverlayFont::normalizedFamily(name));
    if (persistentTitleOverlayFontPopup_->findData(family) < 0) {
        addTitleOverlayFontFamily(family.toStdString());
    }
    if (!persistentTitleOverlayFontPopup_->selectItemWithRawValue(family) &&
        persistentTitleOverlayFontPopup_->count() > 0) {
        persistentTitleOverlayFontPopup_->setCurrentIndex(0);
    }
}

} // namespace tessarin
