#include "Platform/PlatformWorld.h"
#include "Platform/Preferences/Preferences.h"
#include "Platform/SymbolicHotKeyTable.h"
#include "Platform/SystemServices.h"
#include "Platform/SystemSettings/SystemSettings.h"

#include <string>

namespace tessarin {
namespace {

using Kind = SystemSettings::PaneKind;
using Change = SystemSettings::Change;

constexpr uint64_t kControl = 0x40000;
constexpr uint64_t kControlArrow = 0x840000;
constexpr uint16_t kNone = 65535;

class SystemSettingsPanesTest : public HostWorld {
protected:
    SystemSettings& settings() { return host.systemSettings(); }
    KeyboardShortcutsPane& shortcuts() { return settings().keyboardShortcutsPane(); }
    DesktopAndDockPane& desktop() { return settings().desktopAndDockPane(); }
    std::vector<Change> changes;
    SystemSettings::ObserverToken token =
        host.systemSettings().addObserver([this](Change change) { changes.push_back(change); });
};

TEST_F(SystemSettingsPanesTest, EachAddressNamesThePaneItShows) {
    const struct {
        const char* pane;
        Kind kind;
        const char* title;
    } cases[] = {
        {"com.apple.preference.security?Privacy_Accessibility", Kind::privacy,
         "Privacy & Security"},
        {"com.apple.Keyboard-Settings.extension?KeyboardShortcuts", Kind::keyboardShortcuts,
         "Keyboard"},
        {"com.apple.Desktop-Settings.extension", Kind::desktopAndDock, "Desktop & Dock"},
        {"com.apple.Trackpad-Settings.extension", Kind::trackpad, "Trackpad"},
        {"com.apple.Sound-Settings.extension", Kind::other, "System Settings"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SystemSettings::kindOfPane(c.pane), c.kind) << c.pane;
        EXPECT_EQ(SystemSettings::windowTitleOfPane(c.pane), c.title) << c.pane;
    }
}

TEST_F(SystemSettingsPanesTest, TheMissionControlListShowsEachShortcutWithItsKeysAndState) {
    host.symbolicHotKeys().set(79, {kNone, 123, kControlArrow}, false);
    host.symbolicHotKeys().set(118, {kNone, 18, kControl}, true);
    const auto entries = shortcuts().missionControlEntries();
    // Display A has three Desktops (a full-screen Space is none), B two.
    std::vector<std::string> names;
    for (const auto& entry : entries) {
        names.push_back(entry.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Mission Control", "Move left a space",
                                               "Move right a space", "Switch to Desktop 1",
                                               "Switch to Desktop 2", "Switch to Desktop 3",
                                               "Application windows"}));
    const struct {
        std::size_t row;
        int hotKey;
        const char* keys;
        bool enabled;
        bool indented;
    } rows[] = {
        {0, 32, "⌃↑", true, false},  // the system's own keys
        {1, 79, "⌃←", false, true},  // stored off
        {2, 81, "⌃→", true, true},   // the system's own keys
        {3, 118, "⌃1", true, true},  // stored on
        {4, 119, "⌃2", false, true}, // not stored: the system's keys, off
        {6, 33, "⌃↓", true, false},
    };
    for (const auto& r : rows) {
        const auto& entry = entries.at(r.row);
        EXPECT_EQ(entry.hotKey, r.hotKey) << r.row;
        EXPECT_EQ(entry.keys, r.keys) << r.row;
        EXPECT_EQ(entry.enabled, r.enabled) << r.row;
        EXPECT_EQ(entry.indented, r.indented) << r.row;
    }
}

// A shortcut kept for a Desktop beyond the ones there are is still listed, and so is every
// Desktop before it, up to the highest that has one (the system's last, the sixteenth).
TEST_F(SystemSettingsPanesTest, TheListReachesTheHighestDesktopThatHasAShortcut) {
    const auto lastListed = [this] {
        int last = 0;
        for (const auto& entry : shortcuts().missionControlEntries()) {
            if (entry.name.rfind("Switch to Desktop ", 0) == 0) {
                last = std::stoi(entry.name.substr(18));
            }
        }
        return last;
    };
    const auto keep = [this](int desktop) {
        host.symbolicHotKeys().set(KeyboardShortcutsPane::desktopHotKey(desktop),
                                   *KeyboardShortcutsPane::defaultDesktopKeys(desktop), true);
    };
    EXPECT_EQ(lastListed(), 3);
    keep(7); // past a gap
    EXPECT_EQ(lastListed(), 7);
    keep(KeyboardShortcutsPane::kMaximumDesktops);
    EXPECT_EQ(lastListed(), KeyboardShortcutsPane::kMaximumDesktops);
    EXPECT_EQ(shortcuts().missionControlEntries().size(),
              4u + KeyboardShortcutsPane::kMaximumDesktops);
}

TEST_F(SystemSettingsPanesTest, KeysAreWrittenWithTheSystemsGlyphsInItsOrder) {
    const struct {
        SymbolicHotKeyValue value;
        const char* text;
    } cases[] = {
        {{kNone, 126, kControlArrow}, "⌃↑"},
        {{kNone, 0, 0x100000 | 0x20000 | 0x80000 | 0x40000}, "⌃⌥⇧⌘A"},
        {{kNone, 29, 0x80000}, "⌥0"},
        {{kNone, 49, 0x100000}, "⌘Space"},
        {{kNone, 122, kControl}, "⌃Key 122"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyboardShortcutsPane::keysText(c.value), c.text);
    }
    EXPECT_EQ(KeyboardShortcutsPane::keysText(*KeyboardShortcutsPane::defaultDesktopKeys(10)),
              "⌃0");
    EXPECT_EQ(KeyboardShortcutsPane::keysText(*KeyboardShortcutsPane::defaultDesktopKeys(16)),
              "⌃⌥6");
    EXPECT_FALSE(KeyboardShortcutsPane::defaultDesktopKeys(17));
}

TEST_F(SystemSettingsPanesTest, TurningAShortcutOffFreesItsKeysInTheTableAndTellsTheWindow) {
    SymbolicHotKeyTable& table = host.symbolicHotKeys();
    ASSERT_TRUE(table.isEnabled(79));
    EXPECT_TRUE(shortcuts().setEnabled(79, false));
    EXPECT_FALSE(table.isEnabled(79));
    EXPECT_EQ(table.value(79), (SymbolicHotKeyValue{kNone, 123, kControlArrow})); // keys kept
    EXPECT_EQ(changes, std::vector<Change>{Change::listChanged});
    EXPECT_TRUE(shortcuts().setEnabled(79, true));
    EXPECT_TRUE(table.isEnabled(79));

    // A Desktop without keys of its own gets the system's when turned on.
    EXPECT_TRUE(shortcuts().setEnabled(120, true));
    EXPECT_EQ(table.value(120), KeyboardShortcutsPane::defaultDesktopKeys(3));
    EXPECT_TRUE(table.isEnabled(120));
    // A shortcut the list does not hold is left alone.
    EXPECT_FALSE(shortcuts().setEnabled(36, true));
    EXPECT_FALSE(shortcuts().setEnabled(125, true)); // Desktop 8 of a host with three
    EXPECT_FALSE(table.value(125));
}

TEST_F(SystemSettingsPanesTest, AutoRearrangeIsTheDocksSettingOnWhenUnset) {
    Preferences& preferences = host.preferences();
    EXPECT_TRUE(desktop().automaticallyRearrangesSpaces());
    desktop().setAutomaticallyRearrangesSpaces(false);
    EXPECT_EQ(preferences.copyAppValue("mru-spaces", "com.apple.dock"), PropertyValue(false));
    EXPECT_FALSE(desktop().automaticallyRearrangesSpaces());
    preferences.setAppValue("mru-spaces", PropertyValue(int64_t{1}), "com.apple.dock");
    EXPECT_TRUE(desktop().automaticallyRearrangesSpaces());
    EXPECT_EQ(changes, (std::vector<Change>{Change::listChanged, Change::listChanged}));
}

TEST_F(SystemSettingsPanesTest, SharingSpacesJoinsTheListsAndSeparatingGivesEachDisplayItsOwn) {
    WindowServer& windows = host.windowServer();
    const ServerWindow onB{0, 97, "Dock", std::nullopt, {1500, 40, 300, 200}, 0, 1.0, 1, {22}};
    const WindowID window = windows.addWindow(onB);
    host.preferences().setAppValue("spans-displays", PropertyValue(false), "com.apple.spaces");
    changes.clear();

    desktop().setDisplaysHaveSeparateSpaces(false);
    EXPECT_FALSE(desktop().displaysHaveSeparateSpaces());
    EXPECT_EQ(host.preferences().copyAppValue("spans-displays", "com.apple.spaces"),
              PropertyValue(true));
    EXPECT_EQ(spaceIDs("Main"), (std::vector<SpaceID>{11, 12, 13, 14, 21, 22}));
    EXPECT_EQ(current("Main"), 11u);
    EXPECT_FALSE(windows.spaceList("UUID-B"));
    EXPECT_EQ(windows.window(window)->spaces, std::vector<SpaceID>{22});
    EXPECT_EQ(changes, std::vector<Change>{Change::listChanged});

    desktop().setDisplaysHaveSeparateSpaces(true);
    EXPECT_TRUE(desktop().displaysHaveSeparateSpaces());
    EXPECT_EQ(spaceIDs("UUID-A"), (std::vector<SpaceID>{11, 12, 13, 14, 21, 22}));
    ASSERT_EQ(spaceIDs("UUID-B").size(), 1u);
    EXPECT_GT(spaceIDs("UUID-B").front(), 22u); // a new Desktop
    EXPECT_EQ(current("UUID-B"), spaceIDs("UUID-B").front());
    EXPECT_FALSE(windows.spaceList("Main"));
    EXPECT_FALSE(windows.setDisplaysHaveSeparateSpaces(true)); // already so
}

TEST_F(SystemSettingsPanesTest, RegroupingTheSpacesTellsTheProgramTheActiveSpaceChanged) {
    const auto posted = [this] {
        return host.notifications().postedCount(WorkspaceNotificationName::activeSpaceDidChange);
    };
    const std::size_t before = posted();
    desktop().setDisplaysHaveSeparateSpaces(false);
    queue.runUntilIdle();
    EXPECT_EQ(posted(), before + 1);
}

} // namespace
} // namespace tessarin
