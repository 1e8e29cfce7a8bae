#include "Model/Settings/GridModeStore.h"
#include "Model/Spaces/DirectSlotMetadataStore.h"
#include "Model/Spaces/DisplaySpaceOrderStore.h"
#include "UI/Preferences/Display/DisplaySettingsAvailability.h"
#include "UI/Preferences/Display/DisplaySettingsValues.h"
#include "UI/Preferences/Display/DisplaySettingsViewController.h"
#include "UI/Preferences/Display/OSDAppearanceModePickerControl.h"
#include "UI/Preferences/Kit/SettingsColorWell.h"
#include "UI/Preferences/Kit/SettingsPopUpButton.h"
#include "UI/Preferences/Kit/SettingsRowView.h"
#include "UI/Preferences/Kit/SettingsSegmentedControl.h"
#include "UI/Preferences/Kit/SettingsSliderControl.h"
#include "UI/Preferences/Kit/SettingsSwitch.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace tessarin {

namespace V = DisplaySettingsValues;
using Store = DisplayPresentationSettingsStore;
using Placement = DisplayPresentationSettingsStore::PlacementTarget;

namespace {

template <class E> std::optional<E> chosen(const SettingsSegmentedControl& control) {
    return V::caseAtIndex<E>(control.selectedSegment());
}

// The detail line of the row that shows `control` now, wherever that row is.
QLabel* detailLineOf(QWidget& control) {
    auto* row = qobject_cast<SettingsRowView*>(control.parentWidget());
    return row != nullptr ? row->detailLabel() : nullptr;
}

} // namespace

void DisplaySettingsViewController::connectActions() {
    const auto onClick = [this](QAbstractButton* button, auto handler) {
        QObject::connect(button, &QAbstractButton::clicked, button,
                         weakly([handler](auto& page, bool) { (page.*handler)(); }));
    };
    const auto onSegment = [this](SettingsSegmentedControl* control, auto handler) {
        control->onSelectionChanged = weakly([handler](auto& page, int) { (page.*handler)(); });
    };
    const auto onItem = [this](SettingsPopUpButton* popup, auto handler) {
        QObject::connect(popup, &QComboBox::activated, popup,
                         weakly([handler](auto& page, int) { (page.*handler)(); }));
    };
    const auto onSlide = [this](SettingsSliderControl* control, auto handler) {
        QObject::connect(control->slider(), &QSlider::valueChanged, control,
                         weakly([handler](auto& page, int value) { (page.*handler)(value); }));
    };
    using P = DisplaySettingsViewController;
    QObject::connect(displayTargetPopup_, &QComboBox::activated, displayTargetPopup_,
                     weakly([](auto& page, int index) { page.displayTargetChanged(index); }));
    onClick(resetDisplayOverridesButton_, &P::resetDisplayOverrides);
    onItem(gridColumnCountPopup_, &P::gridColumnCountChanged);
    onClick(gridBlocksAtEdgesSwitch_, &P::gridBlocksAtEdgesChanged);
    onSegment(gridWrapStyleSegmentedControl_, &P::gridWrapStyleChanged);
    onClick(gridUsePlaceholdersSwitch_, &P::gridUsePlaceholdersChanged);
    onClick(showOSDSwitch_, &P::showOSDChanged);
    onClick(persistentGridOverlaySwitch_, &P::persistentGridOverlayChanged);
    onClick(persistentTitleOverlaySwitch_, &P::persistentTitleOverlayChanged);
    const std::pair<QPushButton*, DisplaySettingsSheet> openers[] = {
        {osdPreviewSnapshotButton_, DisplaySettingsSheet::previewSnapshot},
        {osdCustomizeAppearanceButton_, DisplaySettingsSheet::osdAppearance},
        {overlayCustomizeAppearanceButton_, DisplaySettingsSheet::overlayAppearance},
        {titleOverlayCustomizeAppearanceButton_, DisplaySettingsSheet::titleOverlay}};
    for (const auto& [button, sheet] : openers) {
        QObject::connect(button, &QPushButton::clicked, button,
                         weakly([sheet](auto& page, bool) { page.showSheet(sheet); }));
    }
    onSegment(osdScreenshotTimingSegmentedControl_, &P::osdScreenshotTimingChanged);
    onSegment(osdScreenshotCaptureModeSegmentedControl_, &P::osdScreenshotCaptureModeChanged);
    osdAppearanceModePicker_->onAction =
        weakly([](auto& page) { page.osdAppearanceModeChanged(); });
    onSegment(osdHeaderIconStyleSegmentedControl_, &P::osdHeaderIconStyleChanged);
    onItem(osdGridPlacementPopup_, &P::osdGridPlacementChanged);
    onSegment(osdGridSizeSegmentedControl_, &P::osdGridSizeChanged);
    onSlide(osdGridOpacitySlider_, &P::osdGridOpacityChanged);
    onSlide(osdPreviewTintSlider_, &P::osdPreviewTintChanged);
    onSegment(osdActiveColorSourceSegmentedControl_, &P::osdActiveColorSourceChanged);
    osdActiveColorWell_->onColorChanged =
        weakly([](auto& page, const QColor& color) { page.osdActiveColorChanged(color); });
    onItem(persistentGridOverlayPlacementPopup_, &P::persistentGridOverlayPlacementChanged);
    onSegment(persistentGridOverlaySizeSegmentedControl_, &P::persistentGridOverlaySizeChanged);
    onSlide(persistentGridOverlayOpacitySlider_, &P::persistentGridOverlayOpacityChanged);
    onItem(persistentTitleOverlayPlacementPopup_, &P::persistentTitleOverlayPlacementChanged);
    onSlide(persistentTitleOverlayOpacitySlider_, &P::persistentTitleOverlayOpacityChanged);
    onItem(persistentTitleOverlayFontPopup_, &P::persistentTitleOverlayFontChanged);
    onSlide(persistentTitleOverlayFontSizeSlider_, &P::persistentTitleOverlayFontSizeChanged);
}

// ---------------------------------------------------------------- Page actions

void DisplaySettingsViewController::displayTargetChanged(int index) {
    if (targets_.select(index)) {
        render();
    }
}

void DisplaySettingsViewController::resetDisplayOverrides() {
    const auto identifier = targets_.displayIdentifier();
    if (!identifier) {
        return;
    }
    gridModeStore_.clearOverrides(*identifier);
    presentationStore_.clearOverrides(*identifier);
    spaceOrderStore_.clearOverride(*identifier);
    directSlotMetadataStore_.clearAll(*identifier);
    render();
}

void DisplaySettingsViewController::gridColumnCountChanged() {
    if (const auto count = V::caseAtIndex<GridColumnCount>(gridColumnCountPopup_->currentIndex())) {
        gridModeStore_.setColumnCount(*count, targets_.scope());
    }
}

void DisplaySettingsViewController::gridBlocksAtEdgesChanged() {
    gridModeStore_.setBlocksAtEdges(gridBlocksAtEdgesSwitch_->isOn(), targets_.scope());
    // The wrap style matters only while moves wrap.
    render();
}

void DisplaySettingsViewController::gridWrapStyleChanged() {
    const auto style = chosen<GridWrapStyle>(*gridWrapStyleSegmentedControl_);
    if (!style) {
        return;
    }
    setRowDetail(DisplaySettingsRow::gridWrapStyle, DisplaySettingsText::wrapStyleDetail(style));
    gridModeStore_.setWrapStyle(*style, targets_.scope());
}

void DisplaySettingsViewController::gridUsePlaceholdersChanged() {
    gridModeStore_.setUsePlaceholders(gridUsePlaceholdersSwitch_->isOn(), targets_.scope());
}

void DisplaySettingsViewController::showOSDChanged() {
    presentationStore_.setBoolValue(showOSDSwitch_->isOn(), Store::showOSDKey, targets_.scope(),
                                    Store::defaultShowOSD);
}

void DisplaySettingsViewController::persistentGridOverlayChanged() {
    presentationStore_.setBoolValue(persistentGridOverlaySwitch_->isOn(), Store::overlayEnabledKey,
                                    targets_.scope(), Store::defaultOverlayEnabled);
}

void DisplaySettingsViewController::persistentTitleOverlayChanged() {
    presentationStore_.setBoolValue(persistentTitleOverlaySwitch_->isOn(),
                                    Store::titleOverlayEnabledKey, targets_.scope(),
                                    Store::defaultTitleOverlayEnabled);
}

// ---------------------------------------------------------------- Preview snapshot

void DisplaySettingsViewController::osdScreenshotTimingChanged() {
    const auto timing = chosen<OSDGridScreenshotTiming>(*osdScreenshotTimingSegmentedControl_);
    if (!timing) {
        return;
    }
    if (QLabel* detail = detailLineOf(*osdScreenshotTimingSegmentedControl_)) {
        detail->setText(
            QString::fromStdString(DisplaySettingsText::screenshotTimingDetail(timing)));
    }
    presentationStore_.setScreenshotTiming(*timing);
}

void DisplaySettingsViewController::osdScreenshotCaptureModeChanged() {
    const auto mode =
        chosen<OSDGridScreenshotCaptureMode>(*osdScreenshotCaptureModeSegmentedControl_);
    if (!mode) {
        return;
    }
    if (QLabel* detail = detailLineOf(*osdScreenshotCaptureModeSegmentedControl_)) {
        detail->setText(
            QString::fromStdString(DisplaySettingsText::screenshotCaptureModeDetail(mode)));
    }
    presentationStore_.setScreenshotCaptureMode(*mode);
}

// ---------------------------------------------------------------- OSD appearance

void DisplaySettingsViewController::osdAppearanceModeChanged() {
    presentationStore_.setAppearanceMode(osdAppearanceModePicker_->selectedMode(),
                                         targets_.scope());
}

void DisplaySettingsViewController::osdHeaderIconStyleChanged() {
    if (const auto style = chosen<OSDHeaderIconStyle>(*osdHeaderIconStyleSegmentedControl_)) {
        presentationStore_.setHeaderIconStyle(*style, targets_.scope());
    }
}

void DisplaySettingsViewController::placementChanged(SettingsPopUpButton& popup, Placement target) {
    if (const auto placement = V::caseAtIndex<OSDPlacement>(popup.currentIndex())) {
        presentationStore_.setPlacementValue(*placement, target, targets_.scope());
    }
}

void DisplaySettingsViewController::osdGridPlacementChanged() {
    placementChanged(*osdGridPlacementPopup_, Placement::osdGrid);
}

void DisplaySettingsViewController::osdGridSizeChanged() {
    if (const auto size = chosen<OSDGridSize>(*osdGridSizeSegmentedControl_)) {
        presentationStore_.setGridSize(*size, targets_.scope());
    }
}

void DisplaySettingsViewController::opacityChanged(SettingsSliderControl& slider, double value,
                                                   const char* key, int globalValue) {
    const int percent = V::opacityPercent(value);
    slider.setValue(percent);
    presentationStore_.setIntValue(percent, key, targets_.scope(), globalValue);
}

void DisplaySettingsViewController::osdGridOpacityChanged(double value) {
    opacityChanged(*osdGridOpacitySlider_, value, Store::gridOpacityKey,
                   rawValue(persisted<OSDGridOpacity>(defaults_)));
}

void DisplaySettingsViewController::osdPreviewTintChanged(double value) {
    const int tint = V::previewTintPercent(value);
    osdPreviewTintSlider_->setValue(tint);
    presentationStore_.setIntValue(tint, Store::previewTintKey, targets_.scope(),
                                   OSDPreviewTint::persisted(defaults_).rawValue);
}

void DisplaySettingsViewController::osdActiveColorSourceChanged() {
    const std::string current =
        presentationStore_.overlayActiveColorValue(targets_.displayIdentifier()).rawValue;
    const auto value =
        V::activeColorForSource(osdActiveColorSourceSegmentedControl_->selectedSegment(), current);
    if (!value) {
        return;
    }
    // The OSD's active ring and the grid overlay's active cell share this one colour.
    presentationStore_.setStringValue(*value, Store::overlayActiveColorKey, targets_.scope(),
                                      PersistentGridOverlayActiveColor::persisted(defaults_));
    showActiveColor(*value);
    setRowEnabled(DisplaySettingsRow::osdActiveColor, !V::isSystemHighlight(*value));
}

void DisplaySettingsViewController::osdActiveColorChanged(const QColor& color) {
    const std::string value = V::activeColorRawValue(color);
    presentationStore_.setStringValue(value, Store::overlayActiveColorKey, targets_.scope(),
                                      PersistentGridOverlayActiveColor::persisted(defaults_));
    osdActiveColorSourceSegmentedControl_->setSelectedSegment(0);
    osdActiveColorWell_->setEnabled(true);
    setRowEnabled(DisplaySettingsRow::osdActiveColor, true);
}

// ---------------------------------------------------------------- Overlays

void DisplaySettingsViewController::persistentGridOverlayPlacementChanged() {
    placementChanged(*persistentGridOverlayPlacementPopup_, Placement::gridOverlay);
}

void DisplaySettingsViewController::persistentGridOverlaySizeChanged() {
    if (const auto size =
            chosen<PersistentGridOverlaySize>(*persistentGridOverlaySizeSegmentedControl_)) {
        presentationStore_.setOverlaySize(*size, targets_.scope());
    }
}

void DisplaySettingsViewController::persistentGridOverlayOpacityChanged(double value) {
    opacityChanged(*persistentGridOverlayOpacitySlider_, value, Store::overlayOpacityKey,
                   rawValue(persisted<PersistentGridOverlayOpacity>(defaults_)));
}

void DisplaySettingsViewController::persistentTitleOverlayPlacementChanged() {
    placementChanged(*persistentTitleOverlayPlacementPopup_, Placement::titleOverlay);
}

void DisplaySettingsViewController::persistentTitleOverlayOpacityChanged(double value) {
    opacityChanged(*persistentTitleOverlayOpacitySlider_, value, Store::titleOverlayOpacityKey,
                   rawValue(persisted<PersistentTitleOverlayOpacity>(defaults_)));
}

void DisplaySettingsViewController::persistentTitleOverlayFontChanged() {
    const auto selected = persistentTitleOverlayFontPopup_->selectedRawValue();
    const bool named = selected && selected->typeId() == QMetaType::QString;
    presentationStore_.setTitleOverlayFontFamily(named ? selected->toString().toStdString()
                                                       : PersistentTitleOverlayFont::systemFamily,
                                                 targets_.scope());
}

void DisplaySettingsViewController::persistentTitleOverlayFontSizeChanged(double value) {
    const int size = V::titleOverlayFontPointSize(value);
    persistentTitleOverlayFontSizeSlider_->setValue(size);
    presentationStore_.setTitleOverlayFontPointSize(size, targets_.scope());
}

} // namespace tessarin
