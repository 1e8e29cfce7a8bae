#include "UI/Preferences/Display/DisplaySettingsViewController.h"

#include "Core/Fakes/EngineWorld.h"
#include "Model/Spaces/DirectSlotMetadataStore.h"
#include "UI/OSD/OSDGridViewTestSupport.h"
#include "UI/Overlays/PersistentGridOverlayController.h"
#include "UI/Preferences/Display/DisplaySettingsViewIdentifier.h"
#include "UI/Preferences/Kit/SettingsColorWell.h"
#include "UI/Preferences/Kit/SettingsRowView.h"
#include "UI/Preferences/Kit/SettingsSegmentedControl.h"
#include "UI/Preferences/Kit/SettingsSliderControl.h"
#include "UI/Preferences/PreferencesTestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QToolButton>

namespace tessarin {
namespace {

namespace Id = DisplaySettingsViewIdentifier;
using Sheet = DisplaySettingsSheet;
using Store = DisplayPresentationSettingsStore;

// The Display page, shown in its own window, over a delegate that refreshes its own overlays
// on two displays with separate Spaces: "Built-in" (UUID-A) and "Studio" (UUID-B).
class DisplayPageTest : public ::testing::Test {
protected:
    DisplayPageTest()
        : world(fakes::switchingScenario(),
                [](AppDelegateDependencies& dependencies) { dependencies.shell = nullptr; }) {
        world.d().bindHotkeys();
        page = std::make_unique<DisplaySettingsViewController>(DisplaySettingsDependencies{
            &world.d().gridModeStore, &store(), &world.d().spaceOrderStore,
            &world.d().directSlotMetadataStore, nullptr, [this] { return screenRecording; },
            [this] { return systemVersion; }});
        page->view()->resize(620, 700);
        page->view()->show();
        settle();
    }
    ~DisplayPageTest() override {
        page.reset();
        settle();
    }

    void settle() {
        world.queue.runUntilIdle();
        testing::flushDeferredDeletes();
        world.queue.runUntilIdle();
    }
    Store& store() { return world.d().presentationStore; }
    template <class T = QWidget> T* find(const char* name) {
        for (Sheet sheet : kAllDisplaySettingsSheets) {
            if (QWidget* shown = page->sheet(sheet)) {
                if (auto* found = shown->findChild<T*>(name)) {
                    return found;
                }
            }
        }
        return page->view()->findChild<T*>(name);
    }
    void click(const char* name) {
        auto* button = find<QAbstractButton>(name);
        ASSERT_NE(button, nullptr) << name;
        button->click();
        settle();
    }
    void choose(const char* name, int index) {
        auto* popup = find<QComboBox>(name);
        ASSERT_NE(popup, nullptr) << name;
        popup->setCurrentIndex(index);
        Q_EMIT popup->activated(index);
        settle();
    }
    void pick(const char* name, const QString& title) {
        auto* control = find<SettingsSegmentedControl>(name);
        ASSERT_NE(control, nullptr) << name;
        for (int index = 0; index < control->segmentCount(); ++index) {
            if (control->segment(index)->text() == title) {
                control->segment(index)->click();
            }
        }
        settle();
    }
    void slide(const char* name, int value) {
        find<SettingsSliderControl>(name)->slider()->setValue(value);
        settle();
    }
    // Opens a sheet as a user does: a click on its button on the page.
    void open(Sheet sheet) {
        const char* openers[] = {Id::osdPreviewSnapshotControl, Id::osdCustomizeAppearanceControl,
                                 Id::overlayCustomizeAppearanceControl,
                                 Id::titleOverlayCustomizeAppearanceControl};
        QWidget* opener = page->view()->findChild<QWidget*>(openers[static_cast<int>(sheet)]);
        ASSERT_NE(opener, nullptr);
        QTest::mouseClick(opener, Qt::LeftButton);
        settle();
        ASSERT_NE(page->sheet(sheet), nullptr) << openers[static_cast<int>(sheet)];
    }
    SettingsRowView* rowOf(const char* name) {
        QWidget* control = find(name);
        return control ? qobject_cast<SettingsRowView*>(control->parentWidget()) : nullptr;
    }

    struct ApplicationReady {
        ApplicationReady() { testing::ensureApplication(); }
    } applicationReady;
    fakes::World world;
    bool screenRecording = true;
    int systemVersion = 15;
    std::unique_ptr<DisplaySettingsViewController> page;
};

TEST_F(DisplayPageTest, APerDisplayWriteOverridesWhatItsOverlayAndOSDShowUntilReset) {
    auto* target = find<QComboBox>(Id::displayTargetControl);
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->count(), 3);
    EXPECT_EQ(target->currentText(), "All Displays");
    EXPECT_EQ(find(Id::displayResetOverridesControl), nullptr);

    choose(Id::displayTargetControl, 1); // Studio
    auto* reset = find<QPushButton>(Id::displayResetOverridesControl);
    ASSERT_NE(reset, nullptr);
    EXPECT_FALSE(reset->isEnabled());
    click(Id::overlayEnabledControl);
    EXPECT_EQ(world.d().persistentGridOverlayController().displayIdentifiers(),
              std::vector<std::string>{"UUID-B"});
    EXPECT_TRUE(store().snapshot("UUID-B").overlay.isEnabled);
    EXPECT_FALSE(store().snapshot().overlay.isEnabled);
    ASSERT_TRUE(rowOf(Id::displayResetOverridesControl));
    EXPECT_EQ(rowOf(Id::displayResetOverridesControl)->detailLabel()->text(),
              "Studio has custom grid, space order, OSD, or overlay settings.");
    EXPECT_TRUE(find(Id::displayResetOverridesControl)->isEnabled());

    choose(Id::displayTargetControl, 0); // Built-in: its OSD off, so a held key previews nothing
    click(Id::osdEnabledControl);
    world.d().performSpaceSwitch(TessarinDirectionRight, std::nullopt, fakes::controlOption(124));
    world.settle();
    EXPECT_TRUE(world.seams.presentation->previewCalls.empty());
    EXPECT_TRUE(store().snapshot().osd.isEnabled);

    choose(Id::displayTargetControl, 1);
    world.grid().setColumnCount(GridColumnCount::four, DisplaySettingsScope::display("UUID-B"));
    world.d().directSlotMetadataStore.setName("Mail", "UUID-B", 2);
    click(Id::displayResetOverridesControl);
    EXPECT_FALSE(world.grid().hasOverrides("UUID-B"));
    EXPECT_FALSE(store().hasOverrides("UUID-B"));
    EXPECT_FALSE(world.d().directSlotMetadataStore.metadata("UUID-B", 2).name);
    EXPECT_TRUE(store().hasOverrides("UUID-A"));
    EXPECT_TRUE(world.d().persistentGridOverlayController().displayIdentifiers().empty());
    EXPECT_FALSE(find(Id::displayResetOverridesControl)->isEnabled());
}

TEST_F(DisplayPageTest, EachSwitchFlipsItsOwnSettingOfTheChosenDisplayOnly) {
    GridModeStore& grid = world.grid();
    const auto state = [&](const std::optional<std::string>& display) {
        const auto shown = store().snapshot(display);
        return std::vector<bool>{grid.blocksAtEdges(display), grid.usePlaceholders(display),
                                 shown.osd.isEnabled, shown.overlay.isEnabled,
                                 shown.titleOverlay.isEnabled};
    };
    const char* switches[] = {Id::gridBlocksAtEdgesControl, Id::gridUsePlaceholdersControl,
                              Id::osdEnabledControl, Id::overlayEnabledControl,
                              Id::titleOverlayEnabledControl}; // in the order of `state`
    // Studio starts from settings of its own.
    grid.setBlocksAtEdges(true, DisplaySettingsScope::display("UUID-B"));
    store().setBoolValue(true, Store::titleOverlayEnabledKey,
                         DisplaySettingsScope::display("UUID-B"),
                         Store::defaultTitleOverlayEnabled);
    const std::vector<bool> global = state(std::nullopt);
    choose(Id::displayTargetControl, 1); // Studio
    for (std::size_t index = 0; index < std::size(switches); ++index) {
        std::vector<bool> expected = state("UUID-B");
        expected[index] = !expected[index];
        QTest::mouseClick(find(switches[index]), Qt::LeftButton);
        settle();
        EXPECT_EQ(state("UUID-B"), expected) << switches[index];
    }
    EXPECT_EQ(state(std::nullopt), global);
}

TEST_F(DisplayPageTest, EveryChoiceOfTheSheetsStoresTheValueItStandsFor) {
    using Reader = std::function<std::string()>;
    struct Case {
        Sheet sheet;
        const char* control;
        std::vector<std::pair<QString, std::string>> choices;
        Reader stored;
    };
    const auto osd = [this] { return store().snapshot("UUID-A").osd; };
    const std::vector<Case> cases = {
        {Sheet::osdAppearance,
         Id::osdGridSizeControl,
         {{"Small", "medium"}, {"Large", "extraLarge"}, {"Medium", "large"}},
         [&] { return rawValue(osd().gridSize); }},
        {Sheet::osdAppearance,
         Id::osdHeaderIconStyleControl,
         {{"Monochrome", "monochrome"}, {"Color", "color"}},
         [&] { return rawValue(osd().headerIconStyle); }},
        {Sheet::overlayAppearance,
         Id::overlaySizeControl,
         {{"Small", "small"}, {"Large", "large"}, {"Medium", "medium"}},
         [this] { return rawValue(store().snapshot("UUID-A").overlay.size); }},
        {Sheet::previewSnapshot,
         Id::osdScreenshotTimingControl,
         {{"Optimised", "optimised"}, {"Performant", "performant"}, {"Power", "power"}},
         [this] { return rawValue(store().snapshot().screenshotTiming); }},
        {Sheet::previewSnapshot,
         Id::osdScreenshotCaptureModeControl,
         {{"Screen", "screen"}, {"Window", "window"}},
         [this] { return rawValue(store().snapshot().screenshotCaptureMode); }},
    };
    // A display's scope: overrides, except for the screenshot settings, which are global.
    choose(Id::displayTargetControl, 0);
    click(Id::overlayEnabledControl); // the overlay's rows are dimmed while it is off
    for (const Case& c : cases) {
        open(c.sheet);
        settle();
        for (const auto& [title, raw] : c.choices) {
            pick(c.control, title);
            EXPECT_EQ(c.stored(), raw) << c.control << " " << title.toStdString();
        }
        page->closeSheet(c.sheet);
    }
    EXPECT_EQ(store().snapshot("UUID-B").osd.gridSize, OSDGridSize::large);
    EXPECT_EQ(store().snapshot("UUID-B").screenshotTiming, OSDGridScreenshotTiming::power);

    const char* placements[] = {"center", "topLeft", "topRight", "bottomLeft", "bottomRight"};
    open(Sheet::titleOverlay);
    for (int index : {4, 3, 2, 1, 0}) {
        choose(Id::titleOverlayPositionControl, index);
        EXPECT_EQ(rawValue(store().snapshot("UUID-A").titleOverlay.placement), placements[index]);
    }
    EXPECT_EQ(rawValue(store().snapshot().titleOverlay.placement), "topLeft");
}

TEST_F(DisplayPageTest, SlidersStoreTheirSnappedValues) {
    open(Sheet::osdAppearance);
    slide(Id::osdGridOpacityControl, 47);
    slide(Id::osdPreviewTintControl, 47);
    EXPECT_EQ(store().snapshot().osd.gridOpacity, OSDGridOpacity::percent50);
    EXPECT_EQ(store().snapshot().osd.previewTint.rawValue, 45);
    EXPECT_EQ(find<SettingsSliderControl>(Id::osdPreviewTintControl)->valueLabel()->text(), "45%");
    page->closeSheet(Sheet::osdAppearance);

    open(Sheet::titleOverlay);
    slide(Id::titleOverlayOpacityControl, 73);
    page->persistentTitleOverlayFontSizeChanged(18.4);
    // Back from 18 first, so the write at 18 is one.
    page->persistentTitleOverlayFontSizeChanged(30);
    page->persistentTitleOverlayFontSizeChanged(18.4);
    settle();
    EXPECT_EQ(store().snapshot().titleOverlay.opacity, PersistentTitleOverlayOpacity::percent70);
    EXPECT_EQ(store().snapshot().titleOverlay.font.pointSize, 18);
    auto* size = find<SettingsSliderControl>(Id::titleOverlayFontSizeControl);
    ASSERT_NE(size, nullptr);
    EXPECT_EQ(size->valueLabel()->text(), "18 pt");
    EXPECT_EQ(world.host.defaults().object(Store::titleOverlayFontSizeKey), PropertyValue(18));
}

TEST_F(DisplayPageTest, TheActiveColourIsCustomOrTheSystemHighlight) {
    open(Sheet::osdAppearance);
    auto* source = find<SettingsSegmentedControl>(Id::osdActiveColorSourceControl);
    auto* well = find<SettingsColorWell>(Id::osdActiveColorControl);
    ASSERT_TRUE(source && well);
    EXPECT_EQ(source->selectedSegment(), 0);
    EXPECT_EQ(well->color(), QColor(0x12, 0x85, 0xFF));

    pick(Id::osdActiveColorSourceControl, "System Highlight");
    EXPECT_EQ(store().snapshot().overlay.activeColor.rawValue, "systemHighlight");
    EXPECT_FALSE(well->isEnabled());
    pick(Id::osdActiveColorSourceControl, "Custom");
    EXPECT_EQ(store().snapshot().overlay.activeColor.rawValue, "1285FFFF");
    EXPECT_TRUE(well->isEnabled());

    pick(Id::osdActiveColorSourceControl, "System Highlight");
    well->onColorChanged(QColor(255, 0, 0));
    settle();
    EXPECT_EQ(source->selectedSegment(), 0);
    pick(Id::osdActiveColorSourceControl, "Custom");
    EXPECT_EQ(store().snapshot().overlay.activeColor.rawValue, "FF0000FF");
    EXPECT_EQ(well->color(), QColor(255, 0, 0));
}

TEST_F(DisplayPageTest, SheetRowsFollowGridModeSystemAndPermission) {
    struct Case {
        const char* name;
        bool gridMode;
        int version;
        bool recording;
        bool osdRows;
        bool screenshotRows;
        const char* reason;
    } const cases[] = {
        {"all there", true, 14, true, true, true,
         "Takes a snapshot of the new space after moving."},
        {"grid mode off", false, 15, true, false, false,
         "Takes a snapshot of the new space after moving."},
        {"system 13", true, 13, true, true, false, "Space screenshots require macOS 14 or later."},
        {"no recording", true, 15, false, true, false,
         "Screen Recording permission is not granted."},
    };
    for (const Case& c : cases) {
        world.grid().isEnabled.set(c.gridMode);
        systemVersion = c.version;
        screenRecording = c.recording;
        settle();
        open(Sheet::osdAppearance);
        open(Sheet::previewSnapshot);
        for (const char* osdRow : {Id::osdGridSizeControl, Id::osdGridOpacityControl,
                                   Id::osdGridPlacementControl, Id::osdPreviewTintControl}) {
            EXPECT_EQ(rowOf(osdRow)->isEnabledState(), c.osdRows) << c.name << " " << osdRow;
        }
        EXPECT_TRUE(rowOf(Id::osdActiveColorSourceControl)->isEnabledState());
        EXPECT_EQ(rowOf(Id::osdScreenshotTimingControl)->isEnabledState(), c.screenshotRows)
            << c.name;
        EXPECT_EQ(rowOf(Id::osdScreenshotTimingControl)->detailLabel()->text(), c.reason) << c.name;
        EXPECT_TRUE(find(Id::osdCustomizeAppearanceControl)->isEnabled());
        page->closeSheet(Sheet::osdAppearance);
        page->closeSheet(Sheet::previewSnapshot);
    }
    EXPECT_EQ(rowOf(Id::osdPreviewSnapshotControl)->detailLabel()->text(),
              "Screen Recording permission is not granted.");
}

// A page re-render while a sheet is open must not lose the sheet's rows: grid mode switched off
// from the menu bar dims them at once.
TEST_F(DisplayPageTest, AnOpenSheetFollowsAChangeMadeElsewhere) {
    open(Sheet::previewSnapshot);
    ASSERT_NE(rowOf(Id::osdScreenshotTimingControl), nullptr);
    EXPECT_TRUE(rowOf(Id::osdScreenshotTimingControl)->isEnabledState());
    world.grid().isEnabled.set(false);
    settle();
    ASSERT_NE(rowOf(Id::osdScreenshotTimingControl), nullptr);
    EXPECT_FALSE(rowOf(Id::osdScreenshotTimingControl)->isEnabledState());
}

TEST_F(DisplayPageTest, UnpluggingTheSelectedDisplayFallsBackToAllDisplays) {
    choose(Id::displayTargetControl, 1);
    std::vector<Screen> screens = world.host.displays().screens();
    screens.pop_back();
    world.host.displays().setScreens(screens);
    settle();
    auto* target = find<QComboBox>(Id::displayTargetControl);
    EXPECT_EQ(target->count(), 2);
    EXPECT_EQ(target->currentText(), "All Displays");
    EXPECT_TRUE(page->targets().scope().isGlobal());
    EXPECT_EQ(find(Id::displayResetOverridesControl), nullptr);
}

TEST_F(DisplayPageTest, EachShowingBuildsANewSheetOverTheSameControls) {
    choose(Id::displayTargetControl, 1);
    click(Id::overlayEnabledControl);
    open(Sheet::overlayAppearance);
    const QPointer<QWidget> first = page->sheet(Sheet::overlayAppearance);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->parentWidget(), page->view());
    EXPECT_TRUE(first->isVisible());
    QWidget* size = find(Id::overlaySizeControl);
    pick(Id::overlaySizeControl, "Large");
    click(Id::overlayAppearanceDoneControl);
    EXPECT_FALSE(first);
    EXPECT_EQ(page->sheet(Sheet::overlayAppearance), nullptr);
    EXPECT_EQ(page->row(DisplaySettingsRow::overlaySize), nullptr);

    store().setOverlaySize(PersistentGridOverlaySize::small, DisplaySettingsScope::global());
    open(Sheet::overlayAppearance);
    settle();
    ASSERT_TRUE(page->sheet(Sheet::overlayAppearance));
    EXPECT_EQ(find(Id::overlaySizeControl), size);
    // Studio's own size, not the global one.
    EXPECT_EQ(find<SettingsSegmentedControl>(Id::overlaySizeControl)->selectedSegment(), 2);
}

TEST_F(DisplayPageTest, ClosingASheetKeepsThePageScrolledWhereItWas) {
    page->view()->resize(620, 360);
    QApplication::processEvents();
    // The offscreen window takes the new size without the layout pass a desktop would post.
    QEvent layout(QEvent::LayoutRequest);
    QApplication::sendEvent(page->scrollView(), &layout);
    QScrollBar* bar = page->scrollView()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    for (Sheet sheet : kAllDisplaySettingsSheets) {
        for (const int position : {bar->maximum(), bar->maximum() / 2}) {
            bar->setValue(position);
            open(sheet);
            QPushButton* done = nullptr;
            for (auto* button : page->sheet(sheet)->findChildren<QPushButton*>()) {
                done = button->text() == "Done" ? button : done;
            }
            ASSERT_NE(done, nullptr);
            QTest::mouseClick(done, Qt::LeftButton);
            settle();
            ASSERT_EQ(page->sheet(sheet), nullptr);
            EXPECT_EQ(bar->value(), position) << static_cast<int>(sheet);
        }
    }
}

// A setting changed in a sheet renders the page behind it again; the page stays where it was
// scrolled through every event pass that follows, not only once the layout has settled.
TEST_F(DisplayPageTest, ChangingASettingInASheetKeepsThePageScrolledWhereItWas) {
    struct Case {
        Sheet sheet;
        const char* control;
        const char* choice;
        const char* done;
    };
    const Case cases[] = {
        {Sheet::previewSnapshot, Id::osdScreenshotTimingControl, "Optimised",
         Id::osdPreviewSnapshotDoneControl},
        {Sheet::previewSnapshot, Id::osdScreenshotCaptureModeControl, "Screen",
         Id::osdPreviewSnapshotDoneControl},
        {Sheet::osdAppearance, Id::osdGridSizeControl, "Large", Id::osdAppearanceDoneControl},
        {Sheet::osdAppearance, Id::osdHeaderIconStyleControl, "Monochrome",
         Id::osdAppearanceDoneControl},
        {Sheet::overlayAppearance, Id::overlaySizeControl, "Large",
         Id::overlayAppearanceDoneControl},
    };
    click(Id::overlayEnabledControl); // the overlay's rows are dimmed while it is off
    page->view()->resize(620, 360);
    QApplication::processEvents();
    QEvent layout(QEvent::LayoutRequest);
    QApplication::sendEvent(page->scrollView(), &layout);
    QScrollBar* bar = page->scrollView()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    const int position = bar->maximum() * 2 / 3;
    for (const Case& c : cases) {
        bar->setValue(position);
        open(c.sheet);
        const QPointer<QWidget> rendered = page->installedSections().front();
        pick(c.control, c.choice);
        EXPECT_FALSE(rendered) << c.control << ": the change did not render the page again";
        // One pass at a time, as a desktop delivers them: the scroll range must never collapse.
        for (int pass = 0; pass < 4; ++pass) {
            QCoreApplication::sendPostedEvents();
            EXPECT_EQ(bar->value(), position) << c.control << " after pass " << pass;
        }
        click(c.done);
        QCoreApplication::sendPostedEvents();
        ASSERT_EQ(page->sheet(c.sheet), nullptr);
        EXPECT_EQ(bar->value(), position) << c.control << " after Done";
    }
}

// With one display chosen, a change on the page renders it again; the control the person
// clicked stays where it was in the window, so the next click lands where they see the rows.
TEST_F(DisplayPageTest, AChangeKeepsTheClickedControlWhereItWasInTheWindow) {
    struct Case {
        const char* name;
        const char* control;
        bool popup;
    };
    const Case cases[] = {
        {"Use placeholders", Id::gridUsePlaceholdersControl, false},
        {"Columns", Id::gridColumnCountControl, true},
        {"Always-visible Grid overlay", Id::overlayEnabledControl, false},
    };
    page->view()->resize(620, 420);
    page->view()->activateWindow();
    QApplication::setActiveWindow(page->view());
    QApplication::processEvents();
    QEvent layout(QEvent::LayoutRequest);
    QApplication::sendEvent(page->scrollView(), &layout);
    // A pop-up takes the focus on the click that opens its list, then the choice is made.
    const auto pick = [this](const char* name, int index) {
        QTest::mouseClick(find(name), Qt::LeftButton);
        ASSERT_NE(QApplication::activePopupWidget(), nullptr);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        choose(name, index);
    };
    pick(Id::displayTargetControl, 1);
    ASSERT_EQ(find<QComboBox>(Id::displayTargetControl)->currentText(), "Studio");
    QScrollBar* bar = page->scrollView()->verticalScrollBar();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_GT(bar->maximum(), 0);
        bar->setValue(bar->maximum() / 2);
        QApplication::processEvents();
        QWidget* control = find(c.control);
        ASSERT_NE(control, nullptr);
        const QPoint before = control->mapTo(page->view(), QPoint());
        const QPointer<QWidget> rendered = page->installedSections().front();
        QApplication::setActiveWindow(page->view());
        if (c.popup) {
            pick(c.control, 1); // 2 columns
        } else {
            QTest::mouseClick(control, Qt::LeftButton);
        }
        settle();
        for (int pass = 0; pass < 4; ++pass) {
            QApplication::processEvents();
            testing::flushDeferredDeletes();
        }
        EXPECT_FALSE(rendered) << "the change did not render the page again";
        QWidget* shown = find(c.control);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->mapTo(page->view(), QPoint()).y(), before.y());
        EXPECT_EQ(page->view()->focusWidget(), shown);
    }
}

TEST_F(DisplayPageTest, StoredValuesOfTheWrongKindReadAsDefaults) {
    UserDefaults& defaults = world.host.defaults();
    defaults.set(Store::gridSizeKey, PropertyValue(7));
    defaults.set(Store::overlayActiveColorKey, PropertyValue(42));
    defaults.set(Store::overlayOpacityKey, PropertyValue(std::string("half")));
    defaults.set(Store::titleOverlayFontFamilyKey, PropertyValue(std::string("  Nowhere Sans ")));
    store().revision.set(store().revision.value() + 1);
    settle();
    open(Sheet::osdAppearance);
    EXPECT_EQ(find<SettingsSegmentedControl>(Id::osdGridSizeControl)->selectedSegment(), 1);
    EXPECT_EQ(find<SettingsSegmentedControl>(Id::osdActiveColorSourceControl)->selectedSegment(),
              0);
    EXPECT_EQ(find<SettingsColorWell>(Id::osdActiveColorControl)->color(),
              QColor(0x12, 0x85, 0xFF));
    page->closeSheet(Sheet::osdAppearance);

    open(Sheet::titleOverlay);
    auto* font = find<QComboBox>(Id::titleOverlayFontControl);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->currentText(), "Nowhere Sans");
    EXPECT_EQ(font->currentIndex(), font->count() - 1);
    EXPECT_EQ(font->itemText(0), "System");
    defaults.set(Store::titleOverlayFontFamilyKey, PropertyValue(std::string("SYSTEM")));
    page->loadSettings();
    EXPECT_EQ(font->currentIndex(), 0);
    open(Sheet::overlayAppearance);
    EXPECT_EQ(find<SettingsSliderControl>(Id::overlayOpacityControl)->value(), 10);
}

TEST_F(DisplayPageTest, TheWrapStyleRowShowsWhileMovesWrap) {
    EXPECT_EQ(find(Id::gridWrapStyleControl), nullptr); // blocked at the edges by default
    click(Id::gridBlocksAtEdgesControl);
    pick(Id::gridWrapStyleControl, "Pac-Man");
    EXPECT_EQ(world.grid().wrapStyle(), GridWrapStyle::pacMan);
    ASSERT_NE(rowOf(Id::gridWrapStyleControl), nullptr);
    EXPECT_TRUE(rowOf(Id::gridWrapStyleControl)
                    ->detailLabel()
                    ->text()
                    .startsWith("Horizontal moves wrap within the current row"));
    // A change made elsewhere shows when the program comes back.
    world.grid().preferences().setAppValue(GridModeStore::wrapStyleKey, std::string("snake"),
                                           world.grid().domain());
    world.host.programActivation().resignActive();
    world.host.programActivation().activate();
    settle();
    EXPECT_EQ(find<SettingsSegmentedControl>(Id::gridWrapStyleControl)->selectedSegment(), 0);
}

} // namespace
} // namespace tessarin
