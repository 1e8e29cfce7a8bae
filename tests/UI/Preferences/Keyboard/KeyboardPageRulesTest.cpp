#include "Hotkeys/HotkeyStore.h"
#include "Platform/Host.h"
#include "Platform/Scenario.h"
#include "Support/VirtualMainQueue.h"
#include "UI/Preferences/Keyboard/DirectSlotNameTextFieldDelegate.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutAlerts.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutConflicts.h"
#include "UI/Preferences/Keyboard/KeyboardShortcutTargets.h"
#include "UI/Preferences/Keyboard/WorkspaceConfigurationForm.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

const TessarinDisplay kA{"A", "Left"}, kB{"B", "Right"};
using Target = DisplaySelectionTarget;

TEST(KeyboardShortcutTargetsTest, TheSelectedDisplaySurvivesARefreshOnlyWhileListed) {
    KeyboardShortcutTargets targets;
    targets.refresh(true, {kA, kB});
    EXPECT_EQ(targets.titles(), (std::vector<std::string>{"Cursor Display", "Left", "Right"}));
    EXPECT_FALSE(targets.select(3));
    ASSERT_TRUE(targets.select(2));
    targets.refresh(true, {kA, {"B", "Renamed"}});
    EXPECT_EQ(targets.selected(), Target::display({"B", "Renamed"}));
    EXPECT_EQ(targets.hotkeyScope(), HotkeyScope::display("B"));
    targets.refresh(true, {kA});
    EXPECT_EQ(targets.selected(), Target::cursorDisplay());
    targets.select(1);
    targets.refresh(false, {kA, kB});
    EXPECT_EQ(targets.available(), std::vector<Target>{Target::cursorDisplay()});
    EXPECT_FALSE(targets.isChoosable());
    EXPECT_TRUE(targets.settingsScope().isGlobal());
}

TEST(KeyboardShortcutTargetsTest, SlotNamesBelongToTheSelectedOrTheOnlyMenuBarDisplay) {
    struct Case {
        const char* name;
        std::vector<TessarinDisplay> displays;
        int selection;
        std::optional<std::string> menuBar, expected;
    };
    const Case cases[] = {
        {"display selected", {kA, kB}, 2, "A", "B"},
        {"two displays, cursor scope", {kA, kB}, 0, "A", std::nullopt},
        {"one display, cursor scope", {kA}, 0, "A", "A"},
        {"no menu-bar display known", {kA}, 0, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        KeyboardShortcutTargets targets;
        targets.refresh(true, c.displays);
        targets.select(c.selection);
        EXPECT_EQ(targets.metadataDisplayIdentifier(c.menuBar), c.expected) << c.name;
    }
}

TEST(DirectSlotNameTextFieldDelegateTest, CommitsTrimmedDistinctNamesOnce) {
    std::vector<std::optional<std::string>> commits;
    DirectSlotNameTextFieldDelegate delegate(" Mail ",
                                             [&](const auto& v) { commits.push_back(v); });
    delegate.controlTextDidEndEditing("Mail\n"); // same as the initial name
    EXPECT_TRUE(delegate.doCommandBy("insertNewline:", "  Écrire ✍️ 写作 "));
    delegate.controlTextDidEndEditing("Écrire ✍️ 写作"); // leaving after Return
    EXPECT_FALSE(delegate.doCommandBy("cancelOperation:", "Other"));
    delegate.controlTextDidEndEditing(" \t ");
    const std::string longName(300, 'x');
    delegate.controlTextDidEndEditing(longName);
    EXPECT_EQ(commits, (std::vector<std::optional<std::string>>{"Écrire ✍️ 写作",
                                                                std::nullopt, longName}));
}

TEST(WorkspaceConfigurationFormTest, AStoredSpaceThatIsGoneShowsNoChange) {
    const WorkspaceConfigurationTarget target{WorkspaceTargetKey::display("A"),
                                              "A",
                                              "A",
                                              "Left",
                                              {{0, "Home"}, {1, "Space 02"}, {3, "Space 04"}}};
    const auto choices = WorkspaceConfigurationForm::choices(target);
    EXPECT_EQ(choices, (std::vector<WorkspaceConfigurationChoice>{
                           {"No Change", -1}, {"Home", 0}, {"Space 02", 1}, {"Space 04", 3}}));
    EXPECT_EQ(WorkspaceConfigurationForm::preselectedChoice(choices, 3), 3u);
    EXPECT_EQ(WorkspaceConfigurationForm::preselectedChoice(choices, 2), 0u);
    EXPECT_EQ(WorkspaceConfigurationForm::preselectedChoice(choices, -1), 0u);
    EXPECT_EQ(WorkspaceConfigurationForm::panelHeight(4), 280);
    EXPECT_EQ(WorkspaceConfigurationForm::panelHeight(1), 180);
    const auto a = WorkspaceTargetKey::display("A"), b = WorkspaceTargetKey::display("B");
    EXPECT_EQ(WorkspaceConfigurationForm::selection({{a, -1}, {b, 2}}),
              (WorkspaceConfigurationSelection{{{b, 2}}, {a, b}}));
}

TEST(KeyboardShortcutConflictsTest, TheDetailNamesThreeClashesAndCountsTheRest) {
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Host host{Scenario::defaultScenario(), queue};
    ScopedCurrentHost current{host};
    const SystemKeyboardShortcutConflict clash{32, "Mission Control"};
    std::vector<ScopedSystemShortcutConflict> entries;
    for (HotkeyIdentifier id :
         {HotkeyIdentifier::left, HotkeyIdentifier::right, HotkeyIdentifier::up,
          HotkeyIdentifier::down, HotkeyIdentifier::space1}) {
        entries.push_back({HotkeyAction::cursor(id), clash});
    }
    EXPECT_EQ(systemShortcutConflictDetail(entries),
              "Switch to space on the left matches Mission Control; Switch to space on the right "
              "matches Mission Control; Switch to space above matches Mission Control and 2 more. "
              "Disable or remap the matching shortcut in System Settings > Keyboard > Keyboard "
              "Shortcuts > Mission Control.");
}

TEST(KeyboardShortcutAlertsTest, EachGridKeyErrorNamesTheActionsByTheirRowTitles) {
    using Error = OSDKeyBindingStoreError;
    const auto text = [](Error error) {
        const SystemAlert alert =
            KeyboardShortcutAlerts::osdKeyBindingError(error, OSDKeyBindingAction::moveUp);
        return alert.messageText + " / " + alert.informativeText;
    };
    EXPECT_EQ(text(Error::alreadyAssigned(OSDKeyBindingAction::select)),
              "Key already assigned / That key is already assigned to Select.");
    EXPECT_EQ(text(Error::unusableKey()), "Key cannot be used / Choose another key for Move up.");
    EXPECT_EQ(text(Error::modifiersNotAllowed()),
              "Modifiers are not allowed / Move up uses a single key without modifiers.");
}

} // namespace
} // namespace tessarin
