#include "UI/Preferences/Keyboard/KeyboardShortcutEditor.h"

#include "Hotkeys/HotkeyStore.h"
#include "Hotkeys/MissionControlShortcutConflictDetector.h"
#include "Platform/Host.h"
#include "Platform/Scenario.h"
#include "Platform/SymbolicHotKeyTable.h"
#include "Support/VirtualMainQueue.h"
#include "Workspaces/WorkspaceShortcutStore.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using Outcome = ShortcutEditOutcome;
using Resolution = SystemShortcutConflictResolution;
const std::string kDisplay = "9A1F2B3C-4D5E-4F60-8172-8394A5B6C7D8";
const HotkeyCombination kCommandK{40, HotkeyModifier::command, "K", "k"};
const HotkeyCombination kControlUp{126, HotkeyModifier::control, "↑", ""}; // Mission Control

class KeyboardShortcutEditorTest : public ::testing::Test {
protected:
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    Host host{Scenario::defaultScenario(), queue};
    ScopedCurrentHost current{host};
    HotkeyStore hotkeys{host.defaults()};
    WorkspaceShortcutStore workspaces{host.defaults()};
    MissionControlShortcutConflictDetector detector;
    Resolution answer = Resolution::cancel;
    std::vector<std::string> duplicates, openedURLs;
    KeyboardShortcutEditor editor{
        {hotkeys, workspaces, detector, [this](const auto&, const auto&) { return answer; },
         [this](const std::string& url) { openedURLs.push_back(url); },
         [] { return std::vector<std::string>{kDisplay}; },
         [this](const std::string& name) { duplicates.push_back(name); }}};
    const HotkeyAction left = HotkeyAction::cursor(HotkeyIdentifier::left);
    const HotkeyAction displaySpace2 = HotkeyAction::onDisplay(HotkeyIdentifier::space2, kDisplay);
};

TEST_F(KeyboardShortcutEditorTest, KeysOfAnotherScopeOrWorkspaceAreRefusedWithoutWriting) {
    ASSERT_EQ(editor.recordHotkey(kCommandK, displaySpace2), Outcome::stored);
    const Uuid studio = workspaces.addWorkspace("Focus").id;

    EXPECT_EQ(editor.recordHotkey(kCommandK, left), Outcome::refusedAsDuplicate);
    EXPECT_EQ(editor.recordWorkspaceShortcut(kCommandK, studio), Outcome::refusedAsDuplicate);
    editor.clear(HotkeyAction::cursor(HotkeyIdentifier::space5)); // its keys are free again
    workspaces.setShortcut(defaultCombination(HotkeyIdentifier::space5), false, studio);
    EXPECT_EQ(editor.recordHotkey(workspaces.cachedWorkspaces()[0].shortcut.value(), left),
              Outcome::refusedAsDuplicate);
    const Uuid other = workspaces.addWorkspace().id;
    EXPECT_EQ(editor.recordWorkspaceShortcut(*workspaces.workspace(studio)->shortcut, other),
              Outcome::refusedAsDuplicate);

    EXPECT_EQ(duplicates,
              (std::vector<std::string>{"Studio Display: Switch to space 2",
                                        "Studio Display: Switch to space 2", "Focus", "Focus"}));
    EXPECT_EQ(hotkeys.combination(left), defaultCombination(HotkeyIdentifier::left));
    EXPECT_FALSE(workspaces.workspace(other)->shortcut);
}

TEST_F(KeyboardShortcutEditorTest, ResetInTheCursorScopeIsRefusedWhenItsDefaultKeysAreTaken) {
    editor.clear(left);
    ASSERT_EQ(editor.recordHotkey(defaultCombination(HotkeyIdentifier::left),
                                  HotkeyAction::cursor(HotkeyIdentifier::lastSpace)),
              Outcome::stored);
    EXPECT_EQ(editor.reset(left), Outcome::refusedAsDuplicate);
    EXPECT_FALSE(hotkeys.isEnabled(left));

    editor.clear(HotkeyAction::cursor(HotkeyIdentifier::lastSpace));
    const Uuid studio = workspaces.addWorkspace("Focus").id;
    workspaces.setShortcut(defaultCombination(HotkeyIdentifier::left), false, studio);
    EXPECT_EQ(editor.reset(left), Outcome::refusedAsDuplicate);
    workspaces.removeWorkspace(studio);
    EXPECT_EQ(editor.reset(left), Outcome::stored);
    EXPECT_TRUE(hotkeys.isEnabled(left));
    EXPECT_EQ(duplicates, (std::vector<std::string>{"Switch to last used space", "Focus"}));
}

TEST_F(KeyboardShortcutEditorTest, ResettingTheCursorScopeIsRefusedWhileADefaultIsHeldElsewhere) {
    // Keys held inside the scope never count: they all go back together.
    editor.clear(HotkeyAction::cursor(HotkeyIdentifier::right));
    ASSERT_EQ(editor.recordHotkey(defaultCombination(HotkeyIdentifier::right), left),
              Outcome::stored);
    editor.clear(HotkeyAction::cursor(HotkeyIdentifier::lastSpace));
    ASSERT_EQ(editor.recordHotkey(defaultCombination(HotkeyIdentifier::lastSpace), displaySpace2),
              Outcome::stored);
    EXPECT_EQ(editor.resetScope(HotkeyScope::cursorDisplay()), Outcome::refusedAsDuplicate);
    EXPECT_EQ(hotkeys.combination(left), defaultCombination(HotkeyIdentifier::right));

    EXPECT_EQ(editor.resetScope(displaySpace2.scope), Outcome::stored);
    const Uuid studio = workspaces.addWorkspace("Focus").id;
    workspaces.setShortcut(defaultCombination(HotkeyIdentifier::space10), false, studio);
    EXPECT_EQ(editor.resetScope(HotkeyScope::cursorDisplay()), Outcome::refusedAsDuplicate);
    workspaces.removeWorkspace(studio);
    EXPECT_EQ(editor.resetScope(HotkeyScope::cursorDisplay()), Outcome::stored);
    EXPECT_EQ(hotkeys.combination(left), defaultCombination(HotkeyIdentifier::left));
    EXPECT_TRUE(hotkeys.isEnabled(HotkeyAction::cursor(HotkeyIdentifier::lastSpace)));
    EXPECT_EQ(duplicates, (std::vector<std::string>{"Studio Display: Switch to space 2", "Focus"}));
}

TEST_F(KeyboardShortcutEditorTest, ResetOnADisplayUnbindsAndTurnsOff) {
    ASSERT_EQ(editor.recordHotkey(kCommandK, displaySpace2), Outcome::stored);
    EXPECT_EQ(editor.reset(displaySpace2), Outcome::stored);
    EXPECT_FALSE(hotkeys.combination(displaySpace2));
    EXPECT_FALSE(hotkeys.isEnabled(displaySpace2));
}

TEST_F(KeyboardShortcutEditorTest, ASystemClashStoresOnlyWhenUsedAnyway) {
    const HotkeyAction picker = HotkeyAction::cursor(HotkeyIdentifier::showOSD);
    const Uuid studio = workspaces.addWorkspace().id;
    answer = Resolution::cancel;
    EXPECT_EQ(editor.recordHotkey(kControlUp, picker), Outcome::cancelled);
    answer = Resolution::openKeyboardShortcuts;
    EXPECT_EQ(editor.recordWorkspaceShortcut(kControlUp, studio), Outcome::openedKeyboardShortcuts);
    EXPECT_EQ(openedURLs, (std::vector<std::string>{KeyboardShortcutEditor::keyboardShortcutsURL}));
    EXPECT_EQ(hotkeys.combination(picker), defaultCombination(HotkeyIdentifier::showOSD));
    EXPECT_FALSE(workspaces.workspace(studio)->shortcut);

    answer = Resolution::useAnyway;
    EXPECT_EQ(editor.recordHotkey(kControlUp, picker), Outcome::stored);
    EXPECT_TRUE(hotkeys.isSystemShortcutOverrideEnabled(picker));
    EXPECT_EQ(editor.recordWorkspaceShortcut(kControlUp, studio), Outcome::refusedAsDuplicate);
}

TEST_F(KeyboardShortcutEditorTest, TheControlArrowPresetAlwaysTakesTheSystemKeys) {
    answer = Resolution::cancel; // the preset never asks
    hotkeys.setSystemShortcutOverrideEnabledWithoutRevision(false, left);
    const HotkeyCombination preset = HotkeyCombination::missionControlPresetLeft();
    host.symbolicHotKeys().setEnabled(79, false);
    ASSERT_TRUE(detector.conflicts(preset).empty());
    EXPECT_EQ(editor.recordHotkey(preset, left), Outcome::stored);
    EXPECT_TRUE(hotkeys.isSystemShortcutOverrideEnabled(left));
}

} // namespace
} // namespace tessarin
