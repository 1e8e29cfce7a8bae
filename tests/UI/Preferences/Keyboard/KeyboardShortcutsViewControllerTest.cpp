#include "Hotkeys/HotkeyDefaultsKey.h"
#include "Hotkeys/HotkeyStore.h"
#include "Hotkeys/OSDKeyBindingStore.h"
#include "Model/Settings/GridModeStore.h"
#include "Model/Spaces/DirectSlotMetadataStore.h"
#include "Platform/DisplayServer.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Platform/SystemServices.h"
#include "UI/Preferences/Controls/OSDKeyBindingRecorderControl.h"
#include "UI/Preferences/Controls/ShortcutRecorderControl.h"
#include "UI/Preferences/Keyboard/DirectSlotRowModel.h"
#include "UI/Preferences/Keyboard/DirectSlotSettingsRowView.h"
#include "UI/Preferences/Keyboard/KeyboardPageTestSupport.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutsViewIdentifier.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"
#include "UI/Preferences/Kit/SettingsRowView.h"
#include "UI/Preferences/Kit/SettingsSwitch.h"
#include "Workspaces/WorkspaceShortcutStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

namespace tessarin::testing {
namespace {

namespace Id = KeyboardShortcutsViewIdentifier;
const HotkeyCombination kCommandK{40, HotkeyModifier::command, "K", "k"};
const HotkeyCombination kControlUp{126, HotkeyModifier::control, "↑", ""};

std::string recorder(HotkeyIdentifier identifier) {
    return Id::shortcutControl(identifier, "recorder");
}

TEST_F(KeyboardPageTest, ARecordedKeySwitchesASpace) {
    world.d().gridModeStore.isEnabled.set(false); // a switch posts at once
    settle();
    QTest::mouseClick(find(recorder(HotkeyIdentifier::right)), Qt::LeftButton);
    world.host.events().physical().pressKey(kCommandK.keyCode, EventFlags::maskCommand);
    settle();
    EXPECT_EQ(hotkeys().combination(HotkeyAction::cursor(HotkeyIdentifier::right)), kCommandK);
    EXPECT_EQ(find<ShortcutRecorderControl>(recorder(HotkeyIdentifier::right))->displayText(),
              "⌘K");
    world.host.events().physical().pressKey(kCommandK.keyCode, EventFlags::maskCommand);
    world.queue.advance(2);
    EXPECT_EQ(world.current(), 102u);
}

TEST_F(KeyboardPageTest, OneKeyDrivesOneThingAcrossScopesAndWorkspaces) {
    selectTarget(2); // display B
    page->handleRecordingResult(kCommandK,
                                HotkeyAction::onDisplay(HotkeyIdentifier::space3, "UUID-B"));
    selectTarget(0);
    page->handleRecordingResult(kCommandK, HotkeyAction::cursor(HotkeyIdentifier::left));
    click(Id::workspaceAddControl);
    const Uuid id = world.d().workspaceShortcutStore.cachedWorkspaces().at(0).id;
    page->handleWorkspaceRecordingResult(kCommandK, id);
    // A cleared slot's default keys go to the workspace; resetting the slot is then refused.
    click(Id::shortcutControl(HotkeyIdentifier::lastSpace, "clear"));
    page->handleWorkspaceRecordingResult(defaultCombination(HotkeyIdentifier::lastSpace), id);
    click(Id::shortcutControl(HotkeyIdentifier::lastSpace, "reset"));
    click(Id::resetScopeControl); // so is the whole scope's

    ASSERT_EQ(alertTitles(), std::vector<std::string>(4, "Shortcut already in use"));
    EXPECT_EQ(world.host.system().shownAlerts()[3].informativeText,
              "This shortcut is already assigned to Workspace 1.");
    EXPECT_EQ(world.beeps(), 4);
    EXPECT_EQ(hotkeys().combination(HotkeyAction::cursor(HotkeyIdentifier::left)),
              defaultCombination(HotkeyIdentifier::left));
    EXPECT_FALSE(hotkeys().isEnabled(HotkeyAction::cursor(HotkeyIdentifier::lastSpace)));
    EXPECT_EQ(world.d().workspaceShortcutStore.cachedWorkspaces().at(0).shortcut,
              defaultCombination(HotkeyIdentifier::lastSpace));
}

// A shortcut clashes only with another that is on: a display's shortcut switched off keeps its
// keys but claims none, so it leaves the defaults of the whole scope free.
TEST_F(KeyboardPageTest, AShortcutSwitchedOffBlocksNoResetOfTheScope) {
    const HotkeyAction onB = HotkeyAction::onDisplay(HotkeyIdentifier::space3, "UUID-B");
    page->handleRecordingResult(kCommandK, HotkeyAction::cursor(HotkeyIdentifier::left));
    selectTarget(2); // display B
    page->handleRecordingResult(defaultCombination(HotkeyIdentifier::left), onB);
    settle();
    ASSERT_TRUE(hotkeys().isEnabled(onB)) << ::testing::PrintToString(alertTitles());
    ASSERT_EQ(hotkeys().combination(onB), defaultCombination(HotkeyIdentifier::left));
    click(Id::shortcutControl(HotkeyIdentifier::space3, "clear"));
    ASSERT_FALSE(hotkeys().isEnabled(onB));
    selectTarget(0);
    click(Id::resetScopeControl);
    EXPECT_TRUE(alertTitles().empty());
    EXPECT_EQ(world.beeps(), 0);
    EXPECT_EQ(hotkeys().combination(HotkeyAction::cursor(HotkeyIdentifier::left)),
              defaultCombination(HotkeyIdentifier::left));
    EXPECT_TRUE(hotkeys().isEnabled(HotkeyAction::cursor(HotkeyIdentifier::left)));
}

// A shortcut already at its default is reset to the keys it holds: that is no clash with itself.
TEST_F(KeyboardPageTest, ResettingAShortcutAtItsDefaultIsNoClashWithItself) {
    int reset = 0;
    for (const HotkeyIdentifier identifier : kAllHotkeyIdentifiers) {
        const HotkeyAction action = HotkeyAction::cursor(identifier);
        auto* button = find<QAbstractButton>(Id::shortcutControl(identifier, "reset"));
        if (button == nullptr || !hotkeys().isEnabled(action) ||
            hotkeys().combination(action) != defaultCombination(identifier)) {
            continue;
        }
        click(Id::shortcutControl(identifier, "reset"));
        ++reset;
        EXPECT_TRUE(hotkeys().isEnabled(action)) << action.displayName();
        EXPECT_EQ(hotkeys().combination(action), defaultCombination(identifier))
            << action.displayName();
    }
    EXPECT_GE(reset, 5);
    EXPECT_TRUE(alertTitles().empty());
    EXPECT_EQ(world.beeps(), 0);
}

// Recording the keys a shortcut already holds stores them again: no clash with itself.
TEST_F(KeyboardPageTest, RecordingTheKeysAShortcutHoldsIsNoClashWithItself) {
    const HotkeyAction left = HotkeyAction::cursor(HotkeyIdentifier::left);
    const HotkeyCombination keys = *hotkeys().combination(left);
    page->handleRecordingResult(keys, left);
    settle();
    click(Id::workspaceAddControl);
    const Uuid id = world.d().workspaceShortcutStore.cachedWorkspaces().at(0).id;
    page->handleWorkspaceRecordingResult(kCommandK, id);
    settle();
    page->handleWorkspaceRecordingResult(kCommandK, id);
    settle();
    EXPECT_TRUE(alertTitles().empty());
    EXPECT_EQ(world.beeps(), 0);
    EXPECT_EQ(hotkeys().combination(left), keys);
    EXPECT_TRUE(hotkeys().isEnabled(left));
    EXPECT_EQ(world.d().workspaceShortcutStore.cachedWorkspaces().at(0).shortcut, kCommandK);
}

TEST_F(KeyboardPageTest, ASystemClashFollowsTheScriptedAnswer) {
    const HotkeyAction picker = HotkeyAction::cursor(HotkeyIdentifier::showOSD);
    SystemServices& system = world.host.system();
    for (int answer :
         {AlertResponse::thirdButton, AlertResponse::secondButton, AlertResponse::firstButton}) {
        system.scriptAlertResponse(answer);
        page->handleRecordingResult(kControlUp, picker);
        settle();
    }
    EXPECT_EQ(alertTitles(),
              std::vector<std::string>(3, "Shortcut conflicts with macOS Mission Control"));
    EXPECT_EQ(system.openedURLs(),
              std::vector<std::string>{KeyboardShortcutEditor::keyboardShortcutsURL});
    EXPECT_EQ(hotkeys().combination(picker), kControlUp);
    EXPECT_TRUE(hotkeys().isSystemShortcutOverrideEnabled(picker));
    auto* detail = find<QLabel>(Id::systemShortcutConflictDetail);
    ASSERT_NE(detail, nullptr);
    EXPECT_TRUE(detail->text().startsWith("Show/Hide OSD space picker matches Mission Control"));
    click(Id::systemShortcutConflictOpenControl);
    EXPECT_EQ(system.openedURLs().size(), 2u);
}

TEST_F(KeyboardPageTest, TheScopeFollowsTheConnectedDisplays) {
    auto* popup = find<QComboBox>(Id::displayTargetControl);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->count(), 3);
    EXPECT_EQ(popup->itemText(2), "Studio");
    const QPointer<QWidget> allScreens = find(Id::showOSDOnAllScreensControl);
    selectTarget(2);
    EXPECT_EQ(find(Id::osdSectionTitle), nullptr);
    EXPECT_EQ(find(recorder(HotkeyIdentifier::lastSpace)), nullptr);
    EXPECT_EQ(find<QLabel>(Id::shortcutControl(HotkeyIdentifier::left, "title")), nullptr);
    EXPECT_TRUE(allScreens); // left out of this rendering, not destroyed with its old row

    std::vector<Screen> screens = world.host.displays().screens();
    screens.pop_back();
    world.host.displays().setScreens(screens); // display B unplugged
    settle();
    EXPECT_EQ(popup->count(), 2);
    EXPECT_TRUE(page->targets().isCursorScope());
    ASSERT_NE(find(Id::osdSectionTitle), nullptr);

    world.d().gridModeStore.isEnabled.set(false);
    settle();
    EXPECT_FALSE(find(recorder(HotkeyIdentifier::up))->isEnabled());
    EXPECT_TRUE(find(recorder(HotkeyIdentifier::left))->isEnabled());
}

TEST_F(KeyboardPageTest, SlotNamesAndObscureFlagsBelongToTheSelectedDisplay) {
    DirectSlotMetadataStore& metadata = world.d().directSlotMetadataStore;
    const auto name = Id::directSlotControl(HotkeyIdentifier::space2, "name");
    auto* field = find<QLineEdit>(name);
    ASSERT_NE(field, nullptr);
    EXPECT_FALSE(field->isEnabled()); // two displays, cursor scope: a grey label
    EXPECT_EQ(field->text(), "Space 02");
    EXPECT_EQ(field->toolTip().toStdString(), DirectSlotRowModel::notEditableToolTip);

    selectTarget(1);
    field = find<QLineEdit>(name);
    field->setFocus();
    field->setText("  Écrire 写作  ");
    QTest::keyClick(field, Qt::Key_Return);
    find<QCheckBox>(Id::directSlotControl(HotkeyIdentifier::space2, "obscure"))->click();
    settle();
    EXPECT_EQ(metadata.metadata("UUID-A", 2), (DirectSlotMetadata{"Écrire 写作", true}));
    selectTarget(2);
    EXPECT_EQ(find<QLineEdit>(name)->text(), "");
    EXPECT_FALSE(
        find<QCheckBox>(Id::directSlotControl(HotkeyIdentifier::space2, "obscure"))->isChecked());
}

TEST_F(KeyboardPageTest, TypingGoesOnAtTheCaretAfterANameIsCommitted) {
    world.d().directSlotMetadataStore.setName("Mail", "UUID-A", 10);
    const Uuid workspace = world.d().workspaceShortcutStore.addWorkspace("Mail").id;
    selectTarget(1); // Built-in: its names are editable
    page->view()->activateWindow();
    QCoreApplication::processEvents(); // the activation arrives as a window-system event
    for (const std::string& name : {Id::directSlotControl(HotkeyIdentifier::space10, "name"),
                                    Id::workspaceControl(workspace, "name")}) {
        const QPointer<QLineEdit> field = find<QLineEdit>(name);
        ASSERT_TRUE(field) << name;
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClick(field, Qt::Key_Home);
        QTest::keyClicks(field, "In");
        QTest::keyClick(field, Qt::Key_Return);
        settle();
        EXPECT_FALSE(field) << name << ": the commit renders the rows anew";
        QWidget* focused = QApplication::focusWidget();
        ASSERT_TRUE(focused && focused->objectName().toStdString() == name) << name;
        QTest::keyClicks(focused, "box");
        QTest::keyClick(focused, Qt::Key_Return);
        settle();
        EXPECT_EQ(find<QLineEdit>(name)->text(), "InboxMail") << name;
    }
}

TEST_F(KeyboardPageTest, InTheDarkTheDirectAndWorkspaceRowsTakeTheKitsColours) {
    namespace L = SettingsPageLayout;
    const Uuid workspace = world.d().workspaceShortcutStore.addWorkspace("Mail").id;
    settle();
    world.host.system().setAppearance(Appearance::dark); // after the rows were built
    settle();
    const auto dark = [](SettingsSystemColor color) {
        return L::resolvedColor(color, Appearance::dark);
    };
    QWidget* header = find(Id::directColumnsHeader);
    auto* lastSlot = dynamic_cast<DirectSlotSettingsRowView*>(
        find(recorder(HotkeyIdentifier::space10))->parentWidget());
    QWidget* workspaceName = find(Id::workspaceControl(workspace, "name"));
    ASSERT_TRUE(header && lastSlot && workspaceName);
    const std::tuple<const char*, QColor, QColor> cases[] = {
        {"column title", L::textColor(*header->findChild<QLabel*>()),
         dark(SettingsSystemColor::secondaryLabel)},
        {"last slot number", L::textColor(*lastSlot->titleLabel()),
         dark(SettingsSystemColor::label)},
        {"explanation", L::textColor(*find(Id::workspaceExplanationLabel)),
         dark(SettingsSystemColor::secondaryLabel)},
        {"slot name label",
         lastSlot->nameField()->palette().color(QPalette::Disabled, QPalette::Text),
         dark(SettingsSystemColor::secondaryLabel)},
        {"slot name label's box", lastSlot->nameField()->palette().color(QPalette::Base),
         QColor(Qt::transparent)},
        {"workspace name's box", workspaceName->palette().color(QPalette::Base),
         dark(SettingsSystemColor::controlBackground)},
    };
    for (const auto& [name, actual, expected] : cases) {
        EXPECT_EQ(actual, expected) << name;
    }
    for (QLabel* title : header->findChildren<QLabel*>()) {
        EXPECT_GE(title->width(), title->fontMetrics().horizontalAdvance(title->text()))
            << title->text().toStdString();
    }
}

// The recorders of the shortcut rows and of the direct slots stand in one column.
TEST_F(KeyboardPageTest, EveryRecorderOfThePageStandsInOneColumn) {
    const auto edges = [this](HotkeyIdentifier identifier) {
        const QWidget* shown = find(recorder(identifier));
        EXPECT_NE(shown, nullptr);
        if (shown == nullptr) {
            return std::pair{0, 0};
        }
        const int left = shown->mapTo(page->view(), QPoint()).x();
        return std::pair{left, left + shown->width()};
    };
    const auto column = edges(HotkeyIdentifier::space1);
    for (const HotkeyIdentifier identifier :
         {HotkeyIdentifier::showOSD, HotkeyIdentifier::left, HotkeyIdentifier::down,
          HotkeyIdentifier::space10, HotkeyIdentifier::lastSpace}) {
        EXPECT_EQ(edges(identifier), column) << rawValue(identifier);
    }
}

class SharedSpacesKeyboardPageTest : public KeyboardPageTest {
protected:
    SharedSpacesKeyboardPageTest() : KeyboardPageTest(fakes::switchingScenario(101, true)) {}
};

TEST_F(SharedSpacesKeyboardPageTest, TheWorkspaceSheetReadsTheNamesThePageWrites) {
    auto* field = find<QLineEdit>(Id::directSlotControl(HotkeyIdentifier::space1, "name"));
    ASSERT_TRUE(field->isEnabled());
    field->setText("Mail");
    QTest::keyClick(field, Qt::Key_Return);
    click(Id::workspaceAddControl);
    click(Id::workspaceControl(world.d().workspaceShortcutStore.cachedWorkspaces()[0].id,
                               "configure"));
    auto* popup = find<QComboBox>(
        Id::workspaceConfigurationTargetControl(WorkspaceTargetKey::sharedSpaces()));
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->itemText(1), "Mail");
}

TEST_F(SharedSpacesKeyboardPageTest, WithoutAMenuBarDisplaySlotsShowAsNotEditable) {
    KeyboardShortcutsDependencies noMenuBarDisplay;
    noMenuBarDisplay.activeMenuBarDisplayIdentifierProvider = [] {
        return std::optional<std::string>();
    };
    open(std::move(noMenuBarDisplay));
    auto* field = find<QLineEdit>(Id::directSlotControl(HotkeyIdentifier::space1, "name"));
    auto* box = find<QCheckBox>(Id::directSlotControl(HotkeyIdentifier::space1, "obscure"));
    EXPECT_FALSE(field->isEnabled());
    EXPECT_FALSE(box->isEnabled());
    EXPECT_EQ(box->toolTip().toStdString(), DirectSlotRowModel::notEditableToolTip);
}

TEST_F(KeyboardPageTest, EachRefusedGridKeyIsExplainedAndTheSheetKeepsReturn) {
    click(Id::osdKeybindsControl);
    QWidget* sheet = page->osdKeybindsSheet();
    ASSERT_NE(sheet, nullptr);
    const QList<SettingsRowView*> rows = sheet->findChildren<SettingsRowView*>();
    ASSERT_EQ(rows.size(), 6);
    expectStackedWithoutCrushing({rows.begin(), rows.end()});
    click(Id::osdKeybindsControl);
    EXPECT_EQ(page->osdKeybindsSheet(), sheet);
    const auto record = [&](OSDKeyBindingAction action, OSDKeyBinding binding) {
        page->recordOSDKeyBinding(binding, action);
        settle();
    };
    record(OSDKeyBindingAction::hide, {53, HotkeyModifier::shift, "Esc"});
    record(OSDKeyBindingAction::moveUp, {36, 0, "↩"});
    record(OSDKeyBindingAction::moveDown, {105, 0, ""});
    EXPECT_EQ(alertTitles(),
              (std::vector<std::string>{"Modifiers are not allowed", "Key already assigned",
                                        "Key cannot be used"}));
    // Return is the Select key: it reaches the recorder and leaves the sheet open.
    auto* select =
        find<OSDKeyBindingRecorderControl>(Id::osdKeybindRecorder(OSDKeyBindingAction::select));
    QTest::mouseClick(select, Qt::LeftButton);
    QTest::keyClick(select, Qt::Key_Return);
    settle();
    EXPECT_FALSE(select->isRecording());
    EXPECT_EQ(page->osdKeybindsSheet(), sheet);
    EXPECT_TRUE(sheet->isVisible());
    auto* hide =
        find<OSDKeyBindingRecorderControl>(Id::osdKeybindRecorder(OSDKeyBindingAction::hide));
    QTest::mouseClick(hide, Qt::LeftButton);
    QTest::keyClick(hide, Qt::Key_H);
    settle();
    EXPECT_EQ(hide->displayText(), "H");
    click(Id::osdKeybindsResetDefaultsControl);
    EXPECT_EQ(hide->displayText(), "Esc");
    click(Id::osdKeybindsDoneControl);
    EXPECT_EQ(page->osdKeybindsSheet(), nullptr);
}

TEST_F(KeyboardPageTest, AWorkspaceConfiguredOverAPlaceholderBringsBothDisplaysToTheirSpaces) {
    PropertyArray slots;
    for (auto [id, kind] : std::vector<std::pair<int64_t, const char*>>{
             {101, "real"}, {0, "placeholder"}, {102, "real"}, {103, "real"}}) {
        slots.push_back(PropertyDictionary{{"spaceID", id}, {"kind", std::string(kind)}});
    }
    world.host.defaults().set(DisplaySpaceOrderStore::layoutKey("UUID-A"),
                              PropertyDictionary{{"version", int64_t{1}}, {"slots", slots}});
    world.grid().setUsePlaceholders(true, DisplaySettingsScope::global());
    click(Id::workspaceAddControl);
    const Uuid id = world.d().workspaceShortcutStore.cachedWorkspaces().at(0).id;
    page->handleWorkspaceRecordingResult(kCommandK, id);
    click(Id::workspaceControl(id, "configure"));

    auto* onA = find<QComboBox>(
        Id::workspaceConfigurationTargetControl(WorkspaceTargetKey::display("UUID-A")));
    auto* onB = find<QComboBox>(
        Id::workspaceConfigurationTargetControl(WorkspaceTargetKey::display("UUID-B")));
    ASSERT_TRUE(onA && onB);
    EXPECT_EQ(onA->itemData(2).toInt(), 2); // the placeholder keeps its position, unoffered
    onA->setCurrentIndex(2);
    onB->setCurrentIndex(3);
    QTest::keyClick(page->workspaceConfigurationPanel(), Qt::Key_Return); // Return is Done
    settle();
    EXPECT_EQ(page->workspaceConfigurationPanel(), nullptr);

    world.host.events().physical().pressKey(40, EventFlags::maskCommand);
    world.queue.advance(2);
    EXPECT_EQ(world.current("UUID-A"), 102u);
    EXPECT_EQ(world.current("UUID-B"), 203u);
}

TEST_F(KeyboardPageTest, ClosingASheetKeepsThePageScrolledWhereItWas) {
    click(Id::workspaceAddControl);
    const Uuid id = world.d().workspaceShortcutStore.cachedWorkspaces().at(0).id;
    page->handleWorkspaceRecordingResult(kCommandK, id);
    // Replaced rows shrink the document until the layout passes have run; offscreen the last
    // one, which a desktop posts, is sent here.
    const auto settleLayout = [this] {
        settle();
        QApplication::processEvents();
        QEvent layout(QEvent::LayoutRequest);
        QApplication::sendEvent(page->scrollView(), &layout);
    };
    settleLayout();
    QScrollBar* bar = page->scrollView()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    for (const char* button :
         {Id::workspaceConfigureDoneControl, Id::workspaceConfigureCancelControl}) {
        for (const int position : {bar->maximum(), bar->maximum() / 2}) {
            bar->setValue(position);
            click(Id::workspaceControl(id, "configure"));
            ASSERT_NE(page->workspaceConfigurationPanel(), nullptr);
            QTest::mouseClick(find<QAbstractButton>(button), Qt::LeftButton);
            settleLayout();
            ASSERT_EQ(page->workspaceConfigurationPanel(), nullptr);
            EXPECT_EQ(bar->value(), position) << button;
        }
    }
    for (const int position : {bar->maximum(), bar->maximum() / 2}) {
        bar->setValue(position);
        click(Id::osdKeybindsControl);
        QWidget* sheet = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            sheet = window->isVisible() && window->parentWidget() == page->view() ? window : sheet;
        }
        ASSERT_NE(sheet, nullptr);
        for (QAbstractButton* done : sheet->findChildren<QAbstractButton*>()) {
            if (done->text() == "Done") {
                QTest::mouseClick(done, Qt::LeftButton);
            }
        }
        settleLayout();
        EXPECT_EQ(bar->value(), position) << "keybinds";
    }
}

TEST_F(KeyboardPageTest, StoredValuesTheStoresRejectShowAsDefaultsOrNone) {
    UserDefaults& defaults = world.host.defaults();
    const HotkeyAction left = HotkeyAction::cursor(HotkeyIdentifier::left);
    const HotkeyAction onB = HotkeyAction::onDisplay(HotkeyIdentifier::left, "UUID-B");
    defaults.set(hotkeyCombinationKey(left), std::string("{\"keyCode\": -4}"));
    defaults.set(hotkeyCombinationKey(onB), std::vector<uint8_t>{'[', ']'});
    defaults.set(hotkeyEnabledKey(onB), true);
    defaults.set(OSDKeyBindingStore::defaultsKey(OSDKeyBindingAction::select),
                 OSDKeyBinding{36, HotkeyModifier::shift, "↩"}.encodedData());
    HotkeyStore storedHotkeys(defaults);
    OSDKeyBindingStore storedKeys(defaults);
    KeyboardShortcutsDependencies stored;
    stored.store = &storedHotkeys;
    stored.osdKeyBindingStore = &storedKeys;
    open(std::move(stored));
    const auto shown = [&](const std::string& name) {
        return find<ShortcutRecorderControl>(name)->displayText().toStdString();
    };
    EXPECT_EQ(shown(recorder(HotkeyIdentifier::left)),
              defaultCombination(HotkeyIdentifier::left).displayString());
    click(Id::osdKeybindsControl);
    EXPECT_EQ(
        find<OSDKeyBindingRecorderControl>(Id::osdKeybindRecorder(OSDKeyBindingAction::select))
            ->displayText(),
        "↩");
    click(Id::osdKeybindsDoneControl);
    selectTarget(2);
    EXPECT_EQ(shown(recorder(HotkeyIdentifier::left)), "None");
}

TEST_F(KeyboardPageTest, StoredValuesTheStoresRejectShowAsDefaultsOrNoChange) {
    // A workspace pointing at a Space display B no longer has.
    click(Id::workspaceAddControl);
    const Uuid id = world.d().workspaceShortcutStore.cachedWorkspaces().at(0).id;
    world.d().workspaceShortcutStore.setTargets({{WorkspaceTargetKey::display("UUID-B"), 9}}, {},
                                                id);
    click(Id::workspaceControl(id, "configure"));
    auto* onB = find<QComboBox>(
        Id::workspaceConfigurationTargetControl(WorkspaceTargetKey::display("UUID-B")));
    ASSERT_NE(onB, nullptr);
    EXPECT_EQ(onB->currentText(), "No Change");
    click(Id::workspaceConfigureCancelControl);
    EXPECT_EQ(world.d().workspaceShortcutStore.cachedWorkspaces().at(0).targets.size(), 1u);

    const auto revision = hotkeys().revision.value();
    page->displayTargetChanged(7); // a stray index
    page->displayTargetChanged(-1);
    settle();
    EXPECT_TRUE(page->targets().isCursorScope());
    EXPECT_EQ(hotkeys().revision.value(), revision);
}

TEST_F(KeyboardPageTest, TheSwitchesWriteTheirScopeAndShowOnAllScreensAlwaysGlobally) {
    GridModeStore& grid = world.grid();
    selectTarget(1);
    click(Id::gridSwitchOnModifierReleaseControl); // on: switch while navigating
    click(Id::hideOSDOnDirectJumpControl);
    EXPECT_FALSE(grid.switchOnModifierRelease("UUID-A"));
    EXPECT_TRUE(grid.switchOnModifierRelease());
    EXPECT_TRUE(grid.hideOSDOnDirectJump("UUID-A"));
    EXPECT_FALSE(grid.hideOSDOnDirectJump());
    selectTarget(0);
    EXPECT_FALSE(find<SettingsSwitch>(Id::gridSwitchOnModifierReleaseControl)->isOn());
    click(Id::showOSDOnAllScreensControl);
    EXPECT_TRUE(grid.globalShowOSDSpacePickerOnAllScreens);
    EXPECT_EQ(grid.preferences().copyAppValue(GridModeStore::showOSDSpacePickerOnAllScreensKey,
                                              grid.domain()),
              PropertyValue(true));
}

TEST_F(KeyboardPageTest, RowsReplacedFromInsideTheirOwnButtonsGoLater) {
    click(Id::shortcutControl(HotkeyIdentifier::space4, "clear"));
    EXPECT_FALSE(hotkeys().isEnabled(HotkeyAction::cursor(HotkeyIdentifier::space4)));
    EXPECT_FALSE(find(Id::shortcutControl(HotkeyIdentifier::space4, "clear"))->isEnabled());
    click(Id::workspaceAddControl);
    const Uuid id = world.d().workspaceShortcutStore.cachedWorkspaces().at(0).id;
    click(Id::workspaceControl(id, "delete"));
    EXPECT_EQ(find(Id::workspaceControl(id, "name")), nullptr);
}

} // namespace
} // namespace tessarin::testing
