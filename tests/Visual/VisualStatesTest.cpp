// Every window and state a person can reach, in light and dark, shown as the program shows it
// and checked as a person would look at it (Visual/VisualCheck.h). Each state's picture is
// written to gallery/<window>-<state>-<appearance>.png in the build folder.

#include "Core/Fakes/EngineWorld.h"
#include "Hotkeys/HotkeyIdentifier.h"
#include "Model/Health/TessarinHealthActionHandler.h"
#include "Model/Settings/DisplayPresentationSettingsStore.h"
#include "Model/Spaces/DirectSlotMetadataStore.h"
#include "Platform/Input/HotKeyCenter.h"
#include "Platform/MachineInput/X11HotKeyGrabPlan.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Platform/Privacy/PrivacyDatabase.h"
#include "Platform/Program/ProgramBundle.h"
#include "Platform/StatusBar/StatusBar.h"
#include "Platform/StatusBar/StatusItem.h"
#include "UI/Alerts/SystemAlertDialog.h"
#include "UI/Health/PermissionGuidePanel.h"
#include "UI/Health/TessarinHealthCheckPanel.h"
#include "UI/Health/TessarinHealthCheckViewController.h"
#include "UI/Health/TessarinHealthCheckWindowController.h"
#include "UI/Health/TessarinPrivacyPermissionGuidePresenter.h"
#include "UI/MenuBar/MenuBarController.h"
#include "UI/MenuBar/StatusBarMirror.h"
#include "UI/MissionControl/MissionControlMirror.h"
#include "UI/MissionControl/MissionControlWindow.h"
#include "UI/OSD/OSDVisualPreviewFixture.h"
#include "UI/OSD/OSDWindow.h"
#include "UI/Overlays/PersistentGridOverlayController.h"
#include "UI/Overlays/PersistentTitleOverlayController.h"
#include "UI/Preferences/Display/DisplaySettingsViewIdentifier.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutAlerts.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutsViewIdentifier.h"
#include "UI/Preferences/Kit/PreferencesPanel.h"
#include "UI/Preferences/Kit/ProgramPalette.h"
#include "UI/Preferences/Kit/SettingsSegmentedControl.h"
#include "UI/Preferences/PreferencesTestSupport.h"
#include "UI/Preferences/System/PrivacyPermissionResetAlerts.h"
#include "UI/Preferences/Window/PreferencesTabViewController.h"
#include "UI/Preferences/Window/PreferencesWindowController.h"
#include "UI/SystemSettings/SystemSettingsMirror.h"
#include "UI/SystemSettings/SystemSettingsPaneWindow.h"
#include "Visual/VisualCheck.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolBar>
#include <functional>
#include <set>

namespace tessarin {
namespace {

using Mode = TessarinHealthCheckPresentationMode;

// The program over the simulated host with its real windows: the delegate makes its own health
// window, menu bar and overlays and shows its grids in a real OSD window.
class VisualWorld {
public:
    explicit VisualWorld(bool sharedSpaces)
        : world(fakes::switchingScenario(101, sharedSpaces),
                [this](AppDelegateDependencies& dependencies) {
                    dependencies.healthWindow = nullptr;
                    dependencies.osdWindow = osd;
                    dependencies.presentation = nullptr;
                    dependencies.shell = nullptr;
                }) {
        host().system().setAlertPresenter([this](const SystemAlert& alert) {
            alert_ = std::make_unique<SystemAlertDialog>(alert);
            alert_->show();
            return AlertResponse::firstButton;
        });
    }
    ~VisualWorld() {
        TessarinPrivacyPermissionGuidePresenter::shared().dismissGuide();
        for (QWidget* window : QApplication::topLevelWidgets()) {
            window->hide();
        }
    }

    Host& host() { return world.host; }
    AppDelegate& d() { return world.d(); }
    QWidget* alert() { return alert_.get(); }

    PreferencesWindowController& preferences() {
        if (!preferences_) {
            preferences_ = std::make_unique<PreferencesWindowController>(nullptr);
            preferences_->window()->show();
        }
        return *preferences_;
    }
    // Clicks the toolbar item of the page.
    QWidget* page(PreferencesPage page) {
        QToolBar* toolbar = preferences().tabViewController().toolbar();
        toolbar->findChild<QAction*>(toolbarItemIdentifier(page))->trigger();
        world.queue.runUntilIdle();
        return preferences().window();
    }
    // Clicks the named button in `window` and answers the window it opened.
    QWidget* click(QWidget* window, const char* name) {
        std::set<QWidget*> before;
        for (QWidget* shown : QApplication::topLevelWidgets()) {
            if (shown->isVisible()) {
                before.insert(shown);
            }
        }
        auto* button = window->findChild<QAbstractButton*>(QString::fromLatin1(name));
        for (QWidget* shown : QApplication::topLevelWidgets()) {
            if (button == nullptr && shown->isVisible()) {
                button = shown->findChild<QAbstractButton*>(QString::fromLatin1(name));
            }
        }
        EXPECT_NE(button, nullptr) << name;
        if (button != nullptr) {
            button->click();
        }
        world.queue.runUntilIdle();
        for (QWidget* shown : QApplication::topLevelWidgets()) {
            if (shown->isVisible() && before.count(shown) == 0) {
                return shown;
            }
        }
        return window;
    }

    // Clicks segment `index` of the named segmented control in `window` and answers the window.
    QWidget* choose(QWidget* window, const char* control, int index) {
        auto* segmented =
            window->findChild<SettingsSegmentedControl*>(QString::fromLatin1(control));
        EXPECT_NE(segmented, nullptr) << control;
        if (segmented != nullptr && segmented->segment(index) != nullptr) {
            segmented->segment(index)->click();
        }
        world.queue.runUntilIdle();
        return window;
    }
    // Types `text` into the named field of `window`.
    void type(QWidget* window, const char* field, const QString& text) {
        auto* edit = window->findChild<QLineEdit*>(QString::fromLatin1(field));
        EXPECT_NE(edit, nullptr) << field;
        if (edit != nullptr) {
            QTest::keyClicks(edit, text);
        }
    }
    QWidget* previewSnapshotSheet() {
        return click(page(PreferencesPage::display), "display.control.osd.previewSnapshot");
    }
    // The Configure Workspace sheet of a workspace added on the Keyboard page.
    QWidget* workspaceSheet() {
        QWidget* window = click(page(PreferencesPage::keyboard),
                                KeyboardShortcutsViewIdentifier::workspaceAddControl);
        const std::string configure = KeyboardShortcutsViewIdentifier::workspaceControl(
            d().workspaceShortcutStore.cachedWorkspaces().at(0).id, "configure");
        return click(window, configure.c_str());
    }

    // The last-Space default kept by the X server, and the picker's, the right move's and the
    // third slot's keys held by another program.
    void markUndeliverable() {
        HotKeyDelivery& delivery = host().hotKeys().delivery();
        delivery.setKeptRule([](uint32_t keyCode,
                                uint32_t modifiers) -> std::optional<HotKeyDeliveryIssue> {
            if (keyCode != 69 || modifiers != 0x1900) {
                return std::nullopt;
            }
            return HotKeyDeliveryIssue{HotKeyDeliveryProblem::keptByDisplayServer,
                                       "Ctrl+Alt+Super+KP_Add", "switching to the next video mode"};
        });
        std::map<std::pair<uint32_t, uint32_t>, HotKeyDeliveryIssue> held;
        for (const HotkeyIdentifier identifier :
             {HotkeyIdentifier::showOSD, HotkeyIdentifier::right, HotkeyIdentifier::space3}) {
            if (const auto combination =
                    d().hotkeyStore.combination(HotkeyAction::cursor(identifier))) {
                // Named as the grab names them, so the line speaks of the keys the row shows.
                held[{combination->keyCode, combination->modifiers}] = {
                    HotKeyDeliveryProblem::heldByAnotherClient,
                    x11CombinationName(static_cast<uint16_t>(combination->keyCode),
                                       combination->modifiers),
                    {}};
            }
        }
        delivery.setHeldElsewhere(held);
        world.queue.runUntilIdle();
    }

    TessarinHealthCheckWindowController& health() {
        return dynamic_cast<TessarinHealthCheckWindowController&>(
            d().healthCheckWindowController());
    }
    // The wizard at launch: not trusted for Accessibility, no screen capture.
    QWidget* wizardAtLaunch() {
        host().system().setProcessTrusted(false);
        host().privacy().setDecision(PrivacyService::screenCapture,
                                     host().programBundle().resolvedIdentifier(), false);
        d().presentHealthCheckAtLaunch();
        return health().window();
    }
    // The wizard, skipping recommended steps until it shows `step` ("keys" for the keyboard).
    QWidget* wizardAt(const std::string& step) {
        wizardAtLaunch();
        host().system().setProcessTrusted(true);
        health().present(Mode::setup);
        for (int skips = 0; skips < 6 && shownStep() != step; ++skips) {
            const std::string shown = shownStep();
            click(health().window(),
                  shown == "keys" ? "health.practice.skip" : ("health.skip." + shown).c_str());
        }
        EXPECT_EQ(shownStep(), step);
        return health().window();
    }
    std::string shownStep() {
        TessarinHealthCheckViewController& page = health().healthViewController();
        if (page.mode() == Mode::allSet) {
            return "all set";
        }
        const TessarinHealthCheckItem* item = healthItem(page.currentSetupStep());
        return item ? std::to_string(static_cast<int>(item->identifier)) : "keys";
    }

    QWidget* osdPicker(const char* size) {
        host().defaults().set(DisplayPresentationSettingsStore::gridSizeKey,
                              PropertyValue(std::string(size)));
        d().directSlotMetadataStore.setName("Research and Development Notes", "UUID-A", 2);
        d().showOSDSpacePickerOnCursorDisplay();
        world.queue.advance(0.5);
        return osd->gridWindow();
    }

    // The host's System Settings as the program mirrors it on the desktop.
    QWidget* systemSettingsPane(const std::function<void()>& open) {
        if (!systemSettings) {
            systemSettings.emplace(host().systemSettings());
        }
        open();
        world.queue.runUntilIdle();
        return systemSettings->window();
    }

    // The host's Mission Control, opened as the picker's footer button opens it, on the
    // pointer's display.
    QWidget* missionControl() {
        missionControlMirror = std::make_unique<MissionControlMirror>(host().missionControl());
        host().missionControl().open();
        world.queue.advance(host().missionControl().openingDelay());
        world.queue.runUntilIdle();
        return missionControlMirror->window(1);
    }
    // The host's Accessibility pane, opened from the wizard's first step as a person opens it.
    QWidget* privacyPane() {
        return systemSettingsPane([this] {
            click(wizardAtLaunch(), "health.action.0");
            world.queue.advance(0.5);
        });
    }
    // Both overlays on, as the Display page's switches turn them on.
    void showOverlays() {
        UserDefaults& defaults = host().defaults();
        defaults.set(DisplayPresentationSettingsStore::overlayEnabledKey, PropertyValue(true));
        defaults.set(DisplayPresentationSettingsStore::titleOverlayEnabledKey, PropertyValue(true));
        d().refreshPersistentGridOverlay();
        world.queue.runUntilIdle();
    }

    std::shared_ptr<OSDWindow> osd = std::make_shared<OSDWindow>(nullptr);
    fakes::World world;
    std::optional<SystemSettingsMirror> systemSettings;
    // As the program sets it on its application object.
    ProgramPalette palette;
    std::unique_ptr<QMenu> menu;
    std::unique_ptr<MissionControlMirror> missionControlMirror;

private:
    std::unique_ptr<PreferencesWindowController> preferences_;
    std::unique_ptr<SystemAlertDialog> alert_;
};

using ShowState = std::function<QWidget*(VisualWorld&)>;

struct VisualState {
    std::string window;
    std::string state;
    ShowState show;
    bool sharedSpaces = false;

    std::string name() const { return window + "-" + state; }
};

QWidget* alertFrom(VisualWorld& world, const std::function<void()>& raise) {
    raise();
    return world.alert();
}

std::vector<VisualState> states() {
    namespace Id = DisplaySettingsViewIdentifier;
    using W = VisualWorld;
    using Page = PreferencesPage;
    std::vector<VisualState> all = {
        {"Preferences", "Display", [](W& w) { return w.page(Page::display); }},
        {"Preferences", "Keyboard", [](W& w) { return w.page(Page::keyboard); }},
        {"Preferences", "Keyboard-Undeliverable",
         [](W& w) {
             w.markUndeliverable();
             return w.page(Page::keyboard);
         }},
        {"Preferences", "Trackpad", [](W& w) { return w.page(Page::trackpad); }},
        // Swipes on, and on a trackpad ready for them: the status row reads "OK".
        {"Preferences", "Trackpad-SwipesOn",
         [](W& w) {
             TrackpadPane& pane = w.host().systemSettings().trackpadPane();
             pane.setFingers(TrackpadGesture::threeFingerDrag, TrackpadGestureFingers::off);
             w.host().system().setProcessTrusted(true);
             w.d().trackpadSwipeSettingsStore.setNavigationEnabled(true);
             w.d().updateTrackpadSwipeEventTap(); // as the launched program does on the change
             w.world.queue.runUntilIdle();
             return w.page(Page::trackpad);
         }},
        {"Preferences", "System", [](W& w) { return w.page(Page::system); }},
        {"Preferences", "About", [](W& w) { return w.page(Page::about); }},
        {"Sheet", "OSDPreviewSnapshot",
         [](W& w) {
             return w.click(w.page(Page::display), "display.control.osd.previewSnapshot");
         }},
        {"Sheet", "OSDPreviewSnapshot-Optimised",
         [](W& w) {
             return w.choose(w.previewSnapshotSheet(), Id::osdScreenshotTimingControl, 1);
         }},
        {"Sheet", "OSDPreviewSnapshot-Power",
         [](W& w) {
             return w.choose(w.previewSnapshotSheet(), Id::osdScreenshotTimingControl, 2);
         }},
        {"Sheet", "OSDPreviewSnapshot-Screen",
         [](W& w) {
             return w.choose(w.previewSnapshotSheet(), Id::osdScreenshotCaptureModeControl, 0);
         }},
        // As stored in an earlier run, before the sheet is opened.
        {"Sheet", "OSDPreviewSnapshot-PowerStored",
         [](W& w) {
             w.d().presentationStore.setScreenshotTiming(OSDGridScreenshotTiming::power);
             return w.previewSnapshotSheet();
         }},
        {"Sheet", "OSDAppearance",
         [](W& w) {
             return w.click(w.page(Page::display), "display.control.osd.customizeAppearance");
         }},
        {"Sheet", "OSDAppearance-SystemHighlight",
         [](W& w) {
             return w.choose(
                 w.click(w.page(Page::display), "display.control.osd.customizeAppearance"),
                 Id::osdActiveColorSourceControl, 1);
         }},
        {"Sheet", "OverlayAppearance",
         [](W& w) {
             return w.click(w.page(Page::display), "display.control.overlay.customizeAppearance");
         }},
        {"Sheet", "OverlayAppearance-OverlayShown",
         [](W& w) {
             w.click(w.page(Page::display), Id::overlayEnabledControl);
             return w.click(w.page(Page::display), "display.control.overlay.customizeAppearance");
         }},
        {"Sheet", "TitleOverlayAppearance",
         [](W& w) {
             return w.click(w.page(Page::display),
                            "display.control.titleOverlay.customizeAppearance");
         }},
        {"Sheet", "TitleOverlayAppearance-OverlayShown",
         [](W& w) {
             w.click(w.page(Page::display), Id::titleOverlayEnabledControl);
             return w.click(w.page(Page::display),
                            "display.control.titleOverlay.customizeAppearance");
         }},
        {"Sheet", "ConfigureWorkspace", [](W& w) { return w.workspaceSheet(); }},
        {"Sheet", "OSDKeybinds",
         [](W& w) { return w.click(w.page(Page::keyboard), "keyboard.control.osd.keybinds"); }},
        {"Sheet", "AppFilter",
         [](W& w) { return w.click(w.page(Page::system), "system.control.appFilter"); }},
        {"Sheet", "AppFilter-WithEntries",
         [](W& w) {
             QWidget* sheet = w.click(w.page(Page::system), "system.control.appFilter");
             for (const char* entry : {"Safari", "Private Browsing - Meeting Notes"}) {
                 w.type(sheet, "system.control.appFilter.textField", QString::fromUtf8(entry));
                 w.click(sheet, "system.control.appFilter.add");
             }
             return sheet;
         }},
        {"Licences", "Window",
         [](W& w) { return w.click(w.page(Page::about), "about.openSource.licenses"); }},
        {"Health", "Accessibility", [](W& w) { return w.wizardAtLaunch(); }},
        {"Health", "ScreenRecording", [](W& w) { return w.wizardAt("1"); }, true},
        {"Health", "KeyboardShortcuts", [](W& w) { return w.wizardAt("keys"); }, true},
        {"Health", "KeyboardShortcuts-Undeliverable",
         [](W& w) {
             QWidget* window = w.wizardAt("keys");
             w.markUndeliverable();
             return window;
         },
         true},
        {"Health", "SeparateSpaces", [](W& w) { return w.wizardAt("2"); }, true},
        {"Health", "AutoRearrange", [](W& w) { return w.wizardAt("3"); }, true},
        {"Health", "StartAtLogin", [](W& w) { return w.wizardAt("4"); }, true},
        {"Health", "AllSetSkipped", [](W& w) { return w.wizardAt("all set"); }, true},
        {"Health", "AllSet",
         [](W& w) {
             w.health().present(Mode::allSet);
             return w.health().window();
         }},
        {"PermissionGuide", "Accessibility",
         [](W& w) {
             w.click(w.wizardAtLaunch(), "health.action.0");
             return static_cast<QWidget*>(
                 TessarinPrivacyPermissionGuidePresenter::shared().panel());
         }},
        {"SystemSettings", "KeyboardShortcuts",
         [](W& w) {
             return w.systemSettingsPane([&w] {
                 // The picker on Mission Control's keys: the page's clash card opens the pane.
                 w.d().hotkeyStore.update(HotkeyCombination{126, HotkeyModifier::control, "↑", ""},
                                          HotkeyAction::cursor(HotkeyIdentifier::showOSD));
                 w.click(w.page(PreferencesPage::keyboard),
                         KeyboardShortcutsViewIdentifier::systemShortcutConflictOpenControl);
             });
         }},
        {"SystemSettings", "DesktopAndDock",
         [](W& w) {
             return w.systemSettingsPane([&w] { w.click(w.wizardAt("2"), "health.action.2"); });
         },
         true},
        {"OSD", "PickerMedium", [](W& w) { return w.osdPicker("medium"); }},
        {"OSD", "PickerLarge", [](W& w) { return w.osdPicker("large"); }},
        {"OSD", "PickerExtraLarge", [](W& w) { return w.osdPicker("extraLarge"); }},
        {"OSD", "SampleGrid",
         [](W& w) {
             OSDVisualPreviewFixture::show(*w.osd, "UUID-A");
             return static_cast<QWidget*>(w.osd->gridWindow());
         }},
        {"OSD", "HeldKeyPreview",
         [](W& w) {
             auto appearance = OSDVisualPreviewFixture::appearanceSettings();
             appearance.appearanceMode = OSDAppearanceMode::automatic;
             w.osd->show(OSDPresentation{OSDGridPresentation::directional(
                             {OSDVisualPreviewFixture::model(), 2, 3, TessarinDirectionRight})},
                         {}, true, appearance, OSDDismissalBehavior::manual(), "UUID-A",
                         std::nullopt, std::nullopt, nullptr, nullptr);
             w.world.queue.advance(1);
             return static_cast<QWidget*>(w.osd->gridWindow());
         }},
        {"MissionControl", "Spaces", [](W& w) { return w.missionControl(); }},
        {"MissionControl", "SharedSpaces", [](W& w) { return w.missionControl(); }, true},
        {"Overlay", "GridAndTitle",
         [](W& w) {
             w.showOverlays();
             return const_cast<QWidget*>(static_cast<const QWidget*>(
                 w.d().persistentGridOverlayController().window("UUID-A")));
         }},
        {"Overlay", "Title",
         [](W& w) {
             w.showOverlays();
             return const_cast<QWidget*>(static_cast<const QWidget*>(
                 w.d().persistentTitleOverlayController().window("UUID-A")));
         }},
        {"SystemSettings", "PrivacyPane", [](W& w) { return w.privacyPane(); }},
        {"SystemSettings", "Trackpad",
         [](W& w) {
             return w.systemSettingsPane([&w] {
                 // Every gesture given to the system, each pop-up with its longest choice.
                 TrackpadPane& pane = w.host().systemSettings().trackpadPane();
                 pane.setFingers(TrackpadGesture::fullScreenSwipe, TrackpadGestureFingers::three);
                 pane.setFingers(TrackpadGesture::missionControlSwipe,
                                 TrackpadGestureFingers::four);
                 pane.setFingers(TrackpadGesture::lookUpTap, TrackpadGestureFingers::three);
                 pane.setFingers(TrackpadGesture::threeFingerDrag, TrackpadGestureFingers::three);
                 // Swipes on: the page's setup row has the Open button.
                 w.d().trackpadSwipeSettingsStore.setNavigationEnabled(true);
                 w.click(w.page(PreferencesPage::trackpad), "trackpad.control.openSystemSettings");
             });
         }},
        {"StatusMenu", "Mirror",
         [](W& w) {
             w.d().menuBarController().setup();
             for (HotkeyIdentifier identifier :
                  {HotkeyIdentifier::showOSD, HotkeyIdentifier::left, HotkeyIdentifier::right,
                   HotkeyIdentifier::up, HotkeyIdentifier::down}) {
                 w.d().applyHotkey(defaultCombination(identifier), identifier);
             }
             w.menu = StatusBarMirror::makeMenu(w.host().statusBar().items().front()->menu());
             w.menu->popup({0, 0});
             return static_cast<QWidget*>(w.menu.get());
         }},
    };
    const auto alertState = [&all](const char* name, std::function<void()> raise) {
        all.push_back({"Alert", name, [raise](W& w) { return alertFrom(w, raise); }});
    };
    alertState("ShortcutInUse",
               [] { KeyboardShortcutAlerts::showShortcutConflictAlert("Switch right"); });
    alertState("MissionControlConflict", [] {
        KeyboardShortcutAlerts::showSystemShortcutConflictWarning(
            HotkeyCombination::missionControlPresetLeft(), {{79, "Move left a space"}});
    });
    alertState("GridKeyInUse", [] {
        KeyboardShortcutAlerts::showOSDKeyBindingError(
            OSDKeyBindingStoreError::alreadyAssigned(OSDKeyBindingAction::moveLeft),
            OSDKeyBindingAction::moveRight);
    });
    alertState("ResetPermissions", [] { PrivacyPermissionResetAlerts::confirm(); });
    alertState("PermissionsReset", [] { PrivacyPermissionResetAlerts::showResult(std::nullopt); });
    alertState("ResetFailed", [] {
        PrivacyPermissionResetAlerts::showResult(TessarinPrivacyPermissionResetError::tccutilFailed(
            "ScreenCapture", 1, "tccutil: No such bundle identifier \"com.tessarin.Tessarin\""));
    });
    alertState("LaunchAtLoginFailed", [] {
        TessarinHealthActionHandler::showLaunchAtLoginError(
            "The operation couldn't be completed. Operation not permitted");
    });
    // Clicking a shortcut recorder while the program may not read the keys.
    all.push_back({"Alert", "AccessibilityPermissionRequired", [](W& w) {
                       QWidget* page = w.page(Page::keyboard);
                       w.host().system().setProcessTrusted(false);
                       auto* recorder = page->findChild<QWidget*>(
                           QString::fromStdString(KeyboardShortcutsViewIdentifier::shortcutControl(
                               HotkeyIdentifier::showOSD, "recorder")));
                       EXPECT_NE(recorder, nullptr);
                       if (recorder != nullptr) {
                           QTest::mouseClick(recorder, Qt::LeftButton);
                       }
                       w.world.queue.runUntilIdle();
                       return w.alert();
                   }});
    all.push_back({"Alert", "UpdatesNotConfigured", [](W& w) {
                       w.click(w.page(Page::about), "about.application.checkForUpdates");
                       return w.alert();
                   }});
    return all;
}

const std::vector<VisualState>& allStates() {
    static const std::vector<VisualState> list = states();
    return list;
}

struct VisualCase {
    std::size_t state;
    Appearance appearance;
    const VisualState& shown() const { return allStates()[state]; }
    std::string name() const {
        return shown().name() + (appearance == Appearance::dark ? "-dark" : "-light");
    }
};

void PrintTo(const VisualCase& c, std::ostream* out) {
    *out << c.name();
}

std::vector<VisualCase> cases() {
    std::vector<VisualCase> result;
    for (std::size_t index = 0; index < allStates().size(); ++index) {
        for (Appearance appearance : {Appearance::light, Appearance::dark}) {
            result.push_back({index, appearance});
        }
    }
    return result;
}

// What shows through a window that is not opaque: the brightest and the darkest desktop, so
// text over a translucent window stays legible over both.
std::vector<QColor> desktopsBehind(QWidget& window, Appearance appearance) {
    const QImage bare = window.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    bool opaque = true;
    for (int y = 0; y < bare.height() && opaque; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(bare.constScanLine(y));
        opaque =
            std::all_of(row, row + bare.width(), [](QRgb pixel) { return qAlpha(pixel) == 255; });
    }
    if (opaque) {
        return {appearance == Appearance::dark ? Qt::black : Qt::white};
    }
    return appearance == Appearance::dark ? std::vector<QColor>{Qt::black, Qt::white}
                                          : std::vector<QColor>{Qt::white, Qt::black};
}

std::vector<std::string> faultsOf(QWidget& window, Appearance appearance,
                                  std::vector<QImage>& gallery) {
    std::vector<std::string> faults;
    for (const QColor& desktop : desktopsBehind(window, appearance)) {
        std::vector<QImage> pictures;
        for (std::string& fault : visual::windowFaults(window, desktop, pictures)) {
            faults.push_back(std::move(fault));
        }
        if (auto* menu = qobject_cast<QMenu*>(&window)) {
            for (std::string& fault : visual::menuFaults(*menu, pictures.front())) {
                faults.push_back(std::move(fault));
            }
        }
        // The grid view has no meta-object of its own, so Qt's casts cannot find it.
        for (const QWidget* child : window.findChildren<QWidget*>()) {
            const auto* grid = dynamic_cast<const OSDGridView*>(child);
            if (grid == nullptr) {
                continue;
            }
            const QImage part =
                pictures.front().copy(QRect(grid->mapTo(&window, QPoint()), grid->size()));
            for (std::string& fault : visual::gridTitleFaults(*grid, part)) {
                faults.push_back(std::move(fault));
            }
        }
        if (gallery.empty()) {
            gallery = {visual::wholePictureOf(window, desktop)};
        }
    }
    std::sort(faults.begin(), faults.end());
    faults.erase(std::unique(faults.begin(), faults.end()), faults.end());
    return faults;
}

class VisualStatesTest : public ::testing::TestWithParam<VisualCase> {
protected:
    VisualStatesTest() { testing::ensureWidgetApplication(); }
};

TEST_P(VisualStatesTest, IsWholeAndLegible) {
    const VisualCase& c = GetParam();
    VisualWorld world(c.shown().sharedSpaces);
    world.host().system().setAppearance(c.appearance);
    world.world.queue.runUntilIdle();
    QWidget* window = c.shown().show(world);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->isVisible());
    // As a person sees it once the event loop is idle: layouts settle over a few rounds (a page
    // laid out once shown posts more work), and views replaced meanwhile are gone.
    for (int round = 0; round < 4; ++round) {
        QApplication::processEvents();
        testing::flushDeferredDeletes();
    }
    std::vector<QImage> gallery;
    const std::vector<std::string> faults = faultsOf(*window, c.appearance, gallery);
    visual::writeGalleryPicture(gallery, c.name());

    for (const std::string& fault : faults) {
        ADD_FAILURE() << fault;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, VisualStatesTest, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<VisualCase>& info) {
                             std::string name = info.param.name();
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

} // namespace
} // namespace tessarin
