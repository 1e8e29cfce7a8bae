#include "Platform/Preferences/UserDefaults.h"
#include "Support/Logger.h"
#include "Support/VirtualMainQueue.h"
#include "Workspaces/WorkspaceShortcutStore.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using Targets = std::map<WorkspaceTargetKey, int>;
using Keys = std::set<WorkspaceTargetKey>;

const WorkspaceTargetKey kDisplayA = WorkspaceTargetKey::display("A");
const WorkspaceTargetKey kDisplayB = WorkspaceTargetKey::display("B");
const WorkspaceTargetKey kShared = WorkspaceTargetKey::sharedSpaces();

const HotkeyCombination kCombination{18, 0x1900, "1", "1"};

class WorkspaceShortcutStoreTests : public ::testing::Test {
protected:
    WorkspaceShortcutStoreTests() {
        defaults.addObserver([this](const std::string& key) {
            if (key == WorkspaceShortcutStore::kStorageKey) {
                ++writes;
            }
        });
    }

    void storeText(const std::string& text) {
        defaults.set(WorkspaceShortcutStore::kStorageKey, Data(text.begin(), text.end()));
        writes = 0;
    }

    Json storedJson() const {
        const auto data = defaults.dataValue(WorkspaceShortcutStore::kStorageKey);
        EXPECT_TRUE(data);
        return data ? *parseJson(std::string(data->begin(), data->end())).value : Json();
    }

    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    UserDefaults defaults;
    int writes = 0;
};

TEST_F(WorkspaceShortcutStoreTests, AddedWorkspacesAreNamedPersistedAndReadBackInOrder) {
    std::vector<WorkspaceShortcut> expected;
    {
        WorkspaceShortcutStore store(defaults);
        EXPECT_TRUE(store.cachedWorkspaces().empty());
        const WorkspaceShortcut first = store.addWorkspace();
        const WorkspaceShortcut second = store.addWorkspace("  Writing \n");
        const WorkspaceShortcut third = store.addWorkspace(" ");
        EXPECT_EQ(first.name, "Workspace 1");
        EXPECT_EQ(second.name, "Writing");
        EXPECT_EQ(third.name, "Workspace 3");
        EXPECT_NE(first.id, second.id);
        EXPECT_TRUE(store.setShortcut(kCombination, true, first.id));
        EXPECT_EQ(storedJson()[0]["shortcut"]["keyCode"], 18);
        EXPECT_EQ(store.revision.value(), 4);
        EXPECT_EQ(writes, 4);
        expected = store.cachedWorkspaces();
    }
    WorkspaceShortcutStore reloaded(defaults);
    EXPECT_EQ(reloaded.cachedWorkspaces(), expected);
    ASSERT_EQ(expected.size(), 3u);
    EXPECT_EQ(expected[0].shortcut, kCombination);
    EXPECT_TRUE(expected[0].systemShortcutOverrideEnabled);
}

TEST_F(WorkspaceShortcutStoreTests, EditsWriteOnlyRealChanges) {
    WorkspaceShortcutStore store(defaults);
    const auto a = store.addWorkspace("A");
    const auto b = store.addWorkspace("B");
    writes = 0;
    EXPECT_TRUE(store.setName("Code", b.id));
    EXPECT_FALSE(store.setName("Code", b.id));
    EXPECT_TRUE(store.setName(std::nullopt, b.id));
    EXPECT_FALSE(store.setName("  ", b.id)) << "blank is the default name, Workspace 2";
    ASSERT_TRUE(store.workspace(b.id));
    EXPECT_EQ(store.workspace(b.id)->name, "Workspace 2");
    EXPECT_TRUE(store.setShortcut(std::nullopt, false, a.id));
    EXPECT_TRUE(store.removeWorkspace(a.id));
    EXPECT_FALSE(store.removeWorkspace(a.id));
    EXPECT_EQ(store.cachedWorkspaces(), std::vector<WorkspaceShortcut>{*store.workspace(b.id)});
    // An unknown workspace changes nothing.
    const Uuid unknown = Uuid::random();
    EXPECT_FALSE(store.setName("X", unknown));
    EXPECT_FALSE(store.setShortcut(kCombination, false, unknown));
    EXPECT_FALSE(store.setTargets({{kDisplayA, 1}}, {kDisplayA}, unknown));
    EXPECT_EQ(writes, 4);
    EXPECT_EQ(store.revision.value(), 6);
}

// Assignments are replaced for the keys shown; a negative choice means "none".
TEST_F(WorkspaceShortcutStoreTests, SetTargetsReplacesTheShownKeys) {
    const auto A = kDisplayA;
    const auto B = kDisplayB;
    const auto S = kShared;
    // clang-format off
    struct Case { const char* name; Targets before, targets; Keys replacing; bool changed; Targets after; };
    const Case cases[] = {
        {"assigns new", {}, {{A, 2}}, {A}, true, {{A, 2}}},
        {"negative dropped", {}, {{A, -1}, {B, 0}}, {A, B}, true, {{B, 0}}},
        {"only negative changes nothing", {}, {{A, -1}}, {A}, false, {}},
        {"same assignments write nothing", {{A, 2}}, {{A, 2}}, {A}, false, {{A, 2}}},
        {"shown key without a choice is removed", {{A, 2}, {B, 1}}, {}, {A}, true, {{B, 1}}},
        {"keys outside the set stay", {{B, 4}}, {{A, 1}}, {A}, true, {{A, 1}, {B, 4}}},
        {"empty changes nothing", {{B, 4}}, {}, {}, false, {{B, 4}}},
        {"a choice outside the set still applies", {}, {{S, 5}}, {}, true, {{S, 5}}},
        {"replaces the index", {{S, 5}}, {{S, 0}}, {S}, true, {{S, 0}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WorkspaceShortcutStore store(defaults);
        const auto workspace = store.addWorkspace();
        store.setTargets(c.before, {}, workspace.id);
        const int revisionBefore = store.revision.value();
        writes = 0;
        EXPECT_EQ(store.setTargets(c.targets, c.replacing, workspace.id), c.changed);
        EXPECT_EQ(store.revision.value(), revisionBefore + (c.changed ? 1 : 0));
        EXPECT_EQ(writes, c.changed ? 1 : 0);
        const auto reloaded = WorkspaceShortcutStore(defaults).workspace(workspace.id);
        ASSERT_TRUE(reloaded);
        EXPECT_EQ(reloaded->targets, c.after);
    }
}

TEST_F(WorkspaceShortcutStoreTests, ConflictFindsAnotherWorkspaceWithTheSameCombination) {
    WorkspaceShortcutStore store(defaults);
    const auto a = store.addWorkspace("A");
    const auto b = store.addWorkspace("B");
    store.setShortcut(kCombination, false, a.id);

    ASSERT_TRUE(store.conflict(kCombination, b.id));
    EXPECT_EQ(store.conflict(kCombination, b.id)->id, a.id);
    ASSERT_TRUE(store.conflict(kCombination, std::nullopt));
    EXPECT_EQ(store.conflict(kCombination, std::nullopt)->id, a.id);
    EXPECT_EQ(store.conflict(kCombination, a.id), std::nullopt);

    HotkeyCombination otherKeyEquivalent = kCombination;
    otherKeyEquivalent.keyEquivalent = "!";
    EXPECT_EQ(store.conflict(otherKeyEquivalent, b.id), std::nullopt);
}

TEST_F(WorkspaceShortcutStoreTests, AnUnreadableListIsLoggedAndIgnored) {
    // Read at every start: nothing stored there may end the program.
    const std::string entry = R"([{"id": "6F1B2C3D-4E5F-4071-8293-A4B5C6D7E8F9", "name": "A", )";
    // clang-format off
    const std::vector<PropertyValue> values{Data{'{', 'x'}, Data{'4', '2'}, Data{}, std::string("{\"id\":1}"), int64_t{7},
        entry + R"("shortcut": {"keyCode": 1e400}}])", entry + R"("targetAssignments": -1e400}])",
        "[" + std::string(5000, '[') + std::string(5000, ']') + "]"};
    // clang-format on
    for (const PropertyValue& value : values) {
        defaults.set(WorkspaceShortcutStore::kStorageKey, value);
        ScopedLogCapture capture;
        WorkspaceShortcutStore store(defaults);
        EXPECT_TRUE(store.cachedWorkspaces().empty());
        EXPECT_EQ(capture.messages("SpaceSwitch").size(), 1u);
    }
    // A list stored as text is read like one stored as data.
    defaults.set(WorkspaceShortcutStore::kStorageKey,
                 std::string("[{\"id\":\"11111111-1111-1111-1111-111111111111\",\"name\":\"A\"}]"));
    WorkspaceShortcutStore store(defaults);
    ASSERT_EQ(store.cachedWorkspaces().size(), 1u);
    EXPECT_EQ(store.cachedWorkspaces()[0].name, "A");
}

TEST_F(WorkspaceShortcutStoreTests, ValidEntriesSurviveBrokenNeighbours) {
    const std::string a = "11111111-1111-1111-1111-111111111111";
    const std::string b = "22222222-2222-2222-2222-222222222222";
    storeText("[{\"id\":\"" + a +
              "\",\"name\":\"A\"}, {\"name\":\"no id\"}, 5, "
              "{\"id\":\"" +
              a + "\",\"name\":\"duplicate\"}, {\"id\":\"" + b + "\",\"name\":\"B\"}]");
    ScopedLogCapture capture;
    WorkspaceShortcutStore store(defaults);
    ASSERT_EQ(store.cachedWorkspaces().size(), 2u);
    EXPECT_EQ(store.cachedWorkspaces()[0].name, "A");
    EXPECT_EQ(store.cachedWorkspaces()[1].name, "B");
    EXPECT_EQ(capture.messages("SpaceSwitch").size(), 3u);
    EXPECT_EQ(writes, 0); // reading alone never rewrites the stored list
}

} // namespace
} // namespace tessarin
