#include "UI/Preferences/Display/DisplaySettingsViewController.h"
#include "UI/Preferences/Display/DisplaySettingsViewIdentifier.h"
#include "UI/Preferences/Display/OSDAppearanceModePickerControl.h"
#include "UI/Preferences/Kit/SettingsCenteredControlRowView.h"
#include "UI/Preferences/Kit/SettingsColorWell.h"
#include "UI/Preferences/Kit/SettingsPopUpButton.h"
#include "UI/Preferences/Kit/SettingsRowView.h"
#include "UI/Preferences/Kit/SettingsSectionView.h"
#include "UI/Preferences/Kit/SettingsSegmentedControl.h"
#include "UI/Preferences/Kit/SettingsSheet.h"
#include "UI/Preferences/Kit/SettingsSliderControl.h"

#include <QPushButton>

namespace tessarin {

namespace Id = DisplaySettingsViewIdentifier;
using Row = DisplaySettingsRow;

namespace {

struct SheetLayout {
    int height;
    const char* title;
    const char* subtitle;
    const char* sectionTitle;
    const char* sectionIdentifier;
    const char* doneIdentifier;
    std::vector<Row> rows;
};

const SheetLayout& layoutOf(DisplaySettingsSheet sheet) {
    static const SheetLayout layouts[] = {
        {320,
         "Preview Snapshot",
         "Configure how Tessarin captures and refreshes grid preview thumbnails.",
         "Snapshot",
         Id::osdPreviewSnapshotControlsSectionTitle,
         Id::osdPreviewSnapshotDoneControl,
         {Row::osdScreenshotTiming, Row::osdScreenshotCaptureMode}},
        {640,
         "OSD Appearance",
         "Customize the grid OSD style used when the on-screen display appears.",
         "Appearance",
         Id::osdAppearanceControlsSectionTitle,
         Id::osdAppearanceDoneControl,
         {Row::osdAppearanceMode, Row::osdHeaderIconStyle, Row::osdGridPlacement, Row::osdGridSize,
          Row::osdGridOpacity, Row::osdPreviewTint, Row::osdActiveColorSource,
          Row::osdActiveColor}},
        {320,
         "Overlay Appearance",
         "Customize the always-visible grid overlay style.",
         "Appearance",
         Id::overlayAppearanceControlsSectionTitle,
         Id::overlayAppearanceDoneControl,
         {Row::overlayPlacement, Row::overlaySize, Row::overlayOpacity}},
        {380,
         "Title Overlay Appearance",
         "Customize the always-visible title overlay style.",
         "Appearance",
         Id::titleOverlayAppearanceControlsSectionTitle,
         Id::titleOverlayAppearanceDoneControl,
         {Row::titleOverlayPlacement, Row::titleOverlayFont, Row::titleOverlayFontSize,
          Row::titleOverlayOpacity}},
    };
    return layouts[static_cast<std::size_t>(sheet)];
}

SettingsRowView* sheetRow(const char* title, const char* detail, QWidget* control,
                          const char* identifier) {
    return new SettingsRowView(title, detail ? std::optional<QString>(detail) : std::nullopt,
                               control, std::nullopt, QString(identifier));
}

} // namespace

QWidget* DisplaySettingsViewController::sheet(DisplaySettingsSheet which) const {
    return sheets_[static_cast<std::size_t>(which)];
}

const std::vector<DisplaySettingsRow>&
DisplaySettingsViewController::sheetRows(DisplaySettingsSheet which) {
    return layoutOf(which).rows;
}

void DisplaySettingsViewController::forgetSheetRows(DisplaySettingsSheet which) {
    for (Row reference : sheetRows(which)) {
        rows_[static_cast<std::size_t>(reference)] = nullptr;
    }
}

std::vector<QWidget*> DisplaySettingsViewController::makeSheetRows(DisplaySettingsSheet which) {
    switch (which) {
    case DisplaySettingsSheet::previewSnapshot:
        return {
            keepRow(Row::osdScreenshotTiming,
                    sheetRow("Screenshot Timing", "Takes a snapshot of the new space after moving.",
                             osdScreenshotTimingSegmentedControl_, Id::osdScreenshotTimingControl)),
            keepRow(Row::osdScreenshotCaptureMode,
                    sheetRow("Snapshot method",
                             "Composes inactive-space previews from WindowServer windows.",
                             osdScreenshotCaptureModeSegmentedControl_,
                             Id::osdScreenshotCaptureModeControl))};
    case DisplaySettingsSheet::osdAppearance:
        return {
            keepRow(Row::osdAppearanceMode,
                    new SettingsCenteredControlRowView(osdAppearanceModePicker_,
                                                       QString(Id::osdAppearanceModeControl))),
            keepRow(Row::osdHeaderIconStyle,
                    sheetRow("Header icon", nullptr, osdHeaderIconStyleSegmentedControl_,
                             Id::osdHeaderIconStyleControl)),
            keepRow(Row::osdGridPlacement,
                    sheetRow("Grid position", nullptr, osdGridPlacementPopup_,
                             Id::osdGridPlacementControl)),
            keepRow(Row::osdGridSize,
                    sheetRow("Overall size", "Controls how much of your screen the OSD fills.",
                             osdGridSizeSegmentedControl_, Id::osdGridSizeControl)),
            keepRow(Row::osdGridOpacity,
                    sheetRow("Background opacity", nullptr, osdGridOpacitySlider_,
                             Id::osdGridOpacityControl)),
            keepRow(Row::osdPreviewTint,
                    sheetRow("Preview tint",
                             "Darkens the lower tile preview behind the title label.",
                             osdPreviewTintSlider_, Id::osdPreviewTintControl)),
            keepRow(Row::osdActiveColorSource,
                    sheetRow("Active color source", nullptr, osdActiveColorSourceSegmentedControl_,
                             Id::osdActiveColorSourceControl)),
            keepRow(Row::osdActiveColor, sheetRow("Active space color", nullptr,
                                                  osdActiveColorWell_, Id::osdActiveColorControl))};
    case DisplaySettingsSheet::overlayAppearance:
        return {keepRow(Row::overlayPlacement,
                        sheetRow("Position", nullptr, persistentGridOverlayPlacementPopup_,
                                 Id::overlayPositionControl)),
                keepRow(Row::overlaySize, sheetRow("Overall size", nullptr,
                                                   persistentGridOverlaySizeSegmentedControl_,
                                                   Id::overlaySizeControl)),
                keepRow(Row::overlayOpacity,
                        sheetRow("Opacity", nullptr, persistentGridOverlayOpacitySlider_,
                                 Id::overlayOpacityControl))};
    case DisplaySettingsSheet::titleOverlay:
        return {keepRow(Row::titleOverlayPlacement,
                        sheetRow("Position", nullptr, persistentTitleOverlayPlacementPopup_,
                                 Id::titleOverlayPositionControl)),
                keepRow(Row::titleOverlayFont,
                        sheetRow("Font", nullptr, persistentTitleOverlayFontPopup_,
                                 Id::titleOverlayFontControl)),
                keepRow(Row::titleOverlayFontSize,
                        sheetRow("Font size", nullptr, persistentTitleOverlayFontSizeSlider_,
                                 Id::titleOverlayFontSizeControl)),
                keepRow(Row::titleOverlayOpacity,
                        sheetRow("Opacity", nullptr, persistentTitleOverlayOpacitySlider_,
                                 Id::titleOverlayOpacityControl))};
    }
    return {};
}

SettingsSheet* DisplaySettingsViewController::makeSheet(DisplaySettingsSheet which) {
    if (SettingsSheet* shown = sheets_[static_cast<std::size_t>(which)]) {
        return shown;
    }
    forgetSheetRows(which);
    const SheetLayout& layout = layoutOf(which);
    auto* sheet = new SettingsSheet(QSize(560, layout.height), layout.title, layout.subtitle);
    sheet->setWindowTitle(layout.title);
    sheet->setSection(new SettingsSectionView(layout.sectionTitle, layout.sectionIdentifier,
                                              makeSheetRows(which)));
    QPushButton* done = sheet->addButton(QStringLiteral("Done"), true,
                                         weakly([which](auto& page) { page.closeSheet(which); }));
    done->setObjectName(layout.doneIdentifier);
    return sheet;
}

void DisplaySettingsViewController::showSheet(DisplaySettingsSheet which) {
    SettingsSheet* sheet = makeSheet(which);
    sheets_[static_cast<std::size_t>(which)] = sheet;
    loadSettings();
    if (isInWindow()) {
        sheet->begin(*view()->window());
    }
}

void DisplaySettingsViewController::closeSheet(DisplaySettingsSheet which) {
    QPointer<SettingsSheet>& reference = sheets_[static_cast<std::size_t>(which)];
    if (!reference) {
        return;
    }
    reference->end();
    // The next showing builds a new sheet; the kept controls go back to the page's shelf.
    reference->deleteLater();
    reference = nullptr;
    forgetSheetRows(which);
}

} // namespace tessarin
