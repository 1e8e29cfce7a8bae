#include "UI/Preferences/Display/DisplaySettingsViewController.h"

#include "Model/Settings/GeneralSettingsNormalization.h"
#include "Model/Settings/GridModeStore.h"
#include "Model/Settings/PersistentTitleOverlayFont.h"
#include "Model/Spaces/DirectSlotMetadataStore.h"
#include "Model/Spaces/DisplaySpaceOrderStore.h"
#include "Model/Spaces/TessarinDisplayCatalog.h"
#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Platform/SystemServices.h"
#include "Support/MainQueue.h"
#include "TessarinCore/TessarinCore.h"
#include "UI/Preferences/Display/DisplaySettingsValues.h"
#include "UI/Preferences/Display/OSDAppearanceModePickerControl.h"
#include "UI/Preferences/Kit/DisplayTargetPopUp.h"
#include "UI/Preferences/Kit/SettingsColorWell.h"
#include "UI/Preferences/Kit/SettingsPopUpButton.h"
#include "UI/Preferences/Kit/SettingsSegmentedControl.h"
#include "UI/Preferences/Kit/SettingsSheet.h"
#include "UI/Preferences/Kit/SettingsSliderControl.h"
#include "UI/Preferences/Kit/SettingsSwitch.h"

#include <QPushButton>
#include <QSlider>

namespace tessarin {

namespace {

bool liveDisplaysHaveSeparateSpaces() {
    const auto screens = Host::current().displays().screens().size();
    return tessarin_displays_have_separate_spaces(static_cast<uint32_t>(screens));
}

template <class T> T& orShared(T* given) {
    return given ? *given : T::shared();
}

QPushButton* pushButton(const QString& title) {
    auto* button = new QPushButton(title);
    button->setAutoDefault(false);
    return button;
}

QString percentText(int value) {
    return QString::number(value) + QStringLiteral("%");
}

QString pointText(int value) {
    return QString::number(value) + QStringLiteral(" pt");
}

SettingsSliderControl* percentSlider(int step) {
    return new SettingsSliderControl(0, 100, step, percentText);
}

} // namespace

DisplaySettingsViewController::DisplaySettingsViewController(DisplaySettingsDependencies d)
    : gridModeStore_(orShared(d.gridModeStore)), presentationStore_(orShared(d.presentationStore)),
      spaceOrderStore_(orShared(d.spaceOrderStore)),
      directSlotMetadataStore_(orShared(d.directSlotMetadataStore)),
      defaults_(presentationStore_.defaults()),
      displaysHaveSeparateSpacesProvider_(d.displaysHaveSeparateSpacesProvider
                                              ? std::move(d.displaysHaveSeparateSpacesProvider)
                                              : liveDisplaysHaveSeparateSpaces),
      screenRecordingPermissionProvider_(
          d.screenRecordingPermissionProvider
              ? std::move(d.screenRecordingPermissionProvider)
              : [] { return Host::current().system().preflightScreenCaptureAccess(); }),
      systemMajorVersionProvider_(
          d.systemMajorVersionProvider
              ? std::move(d.systemMajorVersionProvider)
              : [] { return Host::current().system().operatingSystemVersion().majorVersion; }),
      self_(std::make_shared<DisplaySettingsViewController*>(this)),
      displayTargetPopup_(new SettingsPopUpButton),
      resetDisplayOverridesButton_(pushButton(QStringLiteral("Reset This Display"))),
      gridColumnCountPopup_(new SettingsPopUpButton), gridBlocksAtEdgesSwitch_(new SettingsSwitch),
      gridWrapStyleSegmentedControl_(new SettingsSegmentedControl({"Snake", "Pac-Man"})),
      gridUsePlaceholdersSwitch_(new SettingsSwitch), showOSDSwitch_(new SettingsSwitch),
      osdPreviewSnapshotButton_(pushButton(QStringLiteral("Configure"))),
      osdScreenshotTimingSegmentedControl_(
          new SettingsSegmentedControl({"Performant", "Optimised", "Power"})),
      osdScreenshotCaptureModeSegmentedControl_(new SettingsSegmentedControl({"Screen", "Window"})),
      osdCustomizeAppearanceButton_(pushButton(QString::fromUtf8("Customize Appearance\u2026"))),
      osdAppearanceModePicker_(new OSDAppearanceModePickerControl),
      osdHeaderIconStyleSegmentedControl_(new SettingsSegmentedControl({"Color", "Monochrome"})),
      osdGridPlacementPopup_(new SettingsPopUpButton),
      osdGridSizeSegmentedControl_(new SettingsSegmentedControl({"Small", "Medium", "Large"})),
      osdGridOpacitySlider_(percentSlider(10)), osdPreviewTintSlider_(percentSlider(5)),
      osdActiveColorSourceSegmentedControl_(
          new SettingsSegmentedControl({"Custom", "System Highlight"})),
      osdActiveColorWell_(new SettingsColorWell), persistentGridOverlaySwitch_(new SettingsSwitch),
      overlayCustomizeAppearanceButton_(
          pushButton(QString::fromUtf8("Customize Appearance\u2026"))),
      persistentGridOverlayPlacementPopup_(new SettingsPopUpButton),
      persistentGridOverlayOpacitySlider_(percentSlider(10)),
      persistentGridOverlaySizeSegmentedControl_(
          new SettingsSegmentedControl({"Small", "Medium", "Large"})),
      persistentTitleOverlaySwitch_(new SettingsSwitch),
      titleOverlayCustomizeAppearanceButton_(
          pushButton(QString::fromUtf8("Customize Appearance\u2026"))),
      persistentTitleOverlayPlacementPopup_(new SettingsPopUpButton),
      persistentTitleOverlayOpacitySlider_(percentSlider(10)),
      persistentTitleOverlayFontPopup_(new SettingsPopUpButton),
      persistentTitleOverlayFontSizeSlider_(new SettingsSliderControl(
          static_cast<int>(PersistentTitleOverlayFont::minimumPointSize),
          static_cast<int>(PersistentTitleOverlayFont::maximumPointSize), 1, pointText)) {
    for (QWidget* control : std::initializer_list<QWidget*>{
             displayTargetPopup_,
             resetDisplayOverridesButton_,
             gridColumnCountPopup_,
             gridBlocksAtEdgesSwitch_,
             gridWrapStyleSegmentedControl_,
             gridUsePlaceholdersSwitch_,
             showOSDSwitch_,
             osdPreviewSnapshotButton_,
             osdScreenshotTimingSegmentedControl_,
             osdScreenshotCaptureModeSegmentedControl_,
             osdCustomizeAppearanceButton_,
             osdAppearanceModePicker_,
             osdHeaderIconStyleSegmentedControl_,
             osdGridPlacementPopup_,
             osdGridSizeSegmentedControl_,
             osdGridOpacitySlider_,
             osdPreviewTintSlider_,
             osdActiveColorSourceSegmentedControl_,
             osdActiveColorWell_,
             persistentGridOverlaySwitch_,
             overlayCustomizeAppearanceButton_,
             persistentGridOverlayPlacementPopup_,
             persistentGridOverlayOpacitySlider_,
             persistentGridOverlaySizeSegmentedControl_,
             persistentTitleOverlaySwitch_,
             titleOverlayCustomizeAppearanceButton_,
             persistentTitleOverlayPlacementPopup_,
             persistentTitleOverlayOpacitySlider_,
             persistentTitleOverlayFontPopup_,
             persistentTitleOverlayFontSizeSlider_,
         }) {
        keepControl(control);
    }
}

DisplaySettingsViewController::~DisplaySettingsViewController() {
    self_.reset();
    cancellables_.clear();
    screenParametersObserver_.reset();
    if (appActivationObserver_ != 0) {
        Host::current().programActivation().removeObserver(appActivationObserver_);
    }
    for (const QPointer<SettingsSheet>& sheet : sheets_) {
        delete sheet.data();
    }
}

void DisplaySettingsViewController::viewDidLoad() {
    SettingsPageViewController::viewDidLoad();
    GeneralSettingsNormalization::apply(defaults_);
    setupControls();
    bindState();
    observeScreenParameters();
    observeAppActivation();
    refreshDisplayTargets();
    render();
}

void DisplaySettingsViewController::setupControls() {
    for (SettingsPopUpButton* popup :
         {displayTargetPopup_, gridColumnCountPopup_, osdGridPlacementPopup_,
          persistentGridOverlayPlacementPopup_, persistentTitleOverlayPlacementPopup_,
          persistentTitleOverlayFontPopup_}) {
        configurePopupButton(*popup);
    }
    for (const char* columns : {"2", "3", "4"}) {
        gridColumnCountPopup_->addItemWithRawValue(columns, QString(columns));
    }
    const char* const placements[] = {"Center", "Top Left", "Top Right", "Bottom Left",
                                      "Bottom Right"};
    for (SettingsPopUpButton* popup : {osdGridPlacementPopup_, persistentGridOverlayPlacementPopup_,
                                       persistentTitleOverlayPlacementPopup_}) {
        for (std::size_t index = 0; index < std::size(placements); ++index) {
            popup->addItemWithRawValue(placements[index], QString::fromStdString(rawValue(
                                                              allCases<OSDPlacement>()[index])));
        }
    }
    populateTitleOverlayFontPopup();
    for (SettingsSwitch* control :
         {gridBlocksAtEdgesSwitch_, gridUsePlaceholdersSwitch_, showOSDSwitch_,
          persistentGridOverlaySwitch_, persistentTitleOverlaySwitch_}) {
        configureSwitch(*control);
    }
    for (SettingsSegmentedControl* control :
         {gridWrapStyleSegmentedControl_, osdScreenshotTimingSegmentedControl_,
          osdScreenshotCaptureModeSegmentedControl_, osdHeaderIconStyleSegmentedControl_,
          osdGridSizeSegmentedControl_, osdActiveColorSourceSegmentedControl_,
          persistentGridOverlaySizeSegmentedControl_}) {
        configureSegmentedControl(*control);
    }
    QFont small = resetDisplayOverridesButton_->font();
    small.setPointSizeF(small.pointSizeF() * 11 / 13);
    resetDisplayOverridesButton_->setFont(small);
    // The size is stored once the knob is let go, not at every point on the way.
    persistentTitleOverlayFontSizeSlider_->slider()->setTracking(false);
    configureColorWell(*osdActiveColorWell_);
    // The tiles' names sit under them: the row never takes the picker's height away.
    osdAppearanceModePicker_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connectActions();
}

void DisplaySettingsViewController::bindState() {
    const auto render = weakly([](auto& page, const auto&) { page.render(); });
    cancellables_.push_back(gridModeStore_.settingsRevision.subscribe(render, true));
    cancellables_.push_back(gridModeStore_.isEnabled.subscribe(render, true));
    cancellables_.push_back(presentationStore_.revision.subscribe(render, true));
    cancellables_.push_back(spaceOrderStore_.revision.subscribe(render, true));
}

void DisplaySettingsViewController::observeScreenParameters() {
    const auto refresh = weakly([](auto& page) {
        page.refreshDisplayTargets();
        page.render();
    });
    screenParametersObserver_ = Host::current().notifications().addObserver(
        WorkspaceNotificationName::screenParametersDidChange,
        [refresh](const auto&) { MainQueue::main().async(refresh); });
}

void DisplaySettingsViewController::observeAppActivation() {
    const auto load = weakly([](auto& page) { page.loadSettings(); });
    appActivationObserver_ = Host::current().programActivation().addObserver([load](bool active) {
        if (active) {
            MainQueue::main().async(load);
        }
    });
}

void DisplaySettingsViewController::refreshDisplayTargets() {
    targets_.refresh(displaysHaveSeparateSpacesProvider_(),
                     TessarinDisplayCatalog::connectedDisplays());
    showDisplayTargets(*displayTargetPopup_, targets_);
}

void DisplaySettingsViewController::render() {
    resetRowReferences();
    renderMainPage();
}

void DisplaySettingsViewController::resetRowReferences() {
    // The rows of an open sheet stay known until it closes: a store change made elsewhere while
    // it is open must still reach their enabled states and details.
    std::array<QPointer<QWidget>, kDisplaySettingsRowCount> kept;
    for (DisplaySettingsSheet which : kAllDisplaySettingsSheets) {
        if (sheet(which)) {
            for (DisplaySettingsRow reference : sheetRows(which)) {
                kept[static_cast<std::size_t>(reference)] =
                    rows_[static_cast<std::size_t>(reference)];
            }
        }
    }
    rows_ = kept;
}

QWidget* DisplaySettingsViewController::row(DisplaySettingsRow reference) const {
    return rows_[static_cast<std::size_t>(reference)];
}

QWidget* DisplaySettingsViewController::keepRow(DisplaySettingsRow reference, QWidget* row) {
    rows_[static_cast<std::size_t>(reference)] = row;
    return row;
}

bool DisplaySettingsViewController::hasOverrides(const std::string& displayIdentifier) const {
    return gridModeStore_.hasOverrides(displayIdentifier) ||
           presentationStore_.hasOverrides(displayIdentifier) ||
           spaceOrderStore_.hasOverride(displayIdentifier);
}

bool DisplaySettingsViewController::isInWindow() {
    return isViewLoaded() && view()->isVisible();
}

} // namespace tessarin
