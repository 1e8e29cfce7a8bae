#include "Workspaces/WorkspaceShortcut.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

const char* kID = "8A1F3C52-64B1-4C1E-9E2B-0F6B5F4C2D11";

WorkspaceShortcut sampleWorkspace() {
    WorkspaceShortcut workspace;
    workspace.id = *Uuid::fromString(kID);
    workspace.name = "Writing";
    workspace.shortcut = HotkeyCombination{18, 0x1900, "1", "1"};
    workspace.systemShortcutOverrideEnabled = true;
    workspace.targets = {{WorkspaceTargetKey::display("LEFT"), 2},
                         {WorkspaceTargetKey::sharedSpaces(), 0}};
    return workspace;
}

TEST(WorkspaceShortcutTests, JsonUsesTheStoredFieldNames) {
    const Json json = sampleWorkspace().toJson();
    EXPECT_EQ(json["id"], kID);
    EXPECT_EQ(json["name"], "Writing");
    EXPECT_EQ(json["shortcut"]["keyCode"], 18);
    EXPECT_EQ(json["systemShortcutOverrideEnabled"], true);
    WorkspaceShortcut without = sampleWorkspace();
    without.shortcut.reset();
    EXPECT_FALSE(without.toJson().contains("shortcut"));
    EXPECT_EQ(json["targetAssignments"],
              Json::array({Json{{"key", "display:LEFT"}, {"visualIndex", 2}},
                           Json{{"key", "sharedSpaces"}, {"visualIndex", 0}}}));
}

TEST(WorkspaceShortcutTests, MissingIdOrNameGivesNothing) {
    const std::pair<const char*, Json> edits[] = {
        {"id", Json()}, {"id", Json("not-a-uuid")}, {"name", Json()}, {"name", Json(3)}};
    for (const auto& [field, value] : edits) {
        Json json = sampleWorkspace().toJson();
        json[field] = value;
        EXPECT_EQ(WorkspaceShortcut::fromJson(json), std::nullopt) << field << " " << value.dump();
    }
    EXPECT_EQ(WorkspaceShortcut::fromJson(Json::array()), std::nullopt);
}

TEST(WorkspaceShortcutTests, BrokenPartsAreDroppedButTheWorkspaceKept) {
    Json json = sampleWorkspace().toJson();
    json["shortcut"] = Json{{"keyCode", 1}}; // incomplete combination reads as none
    json.erase("systemShortcutOverrideEnabled");
    json["targetAssignments"] = Json{{"key", "sharedSpaces"}}; // not a list: none
    ASSERT_TRUE(WorkspaceShortcut::fromJson(json));
    EXPECT_TRUE(WorkspaceShortcut::fromJson(json)->targets.empty());
    json["targetAssignments"] = Json::array({
        Json{{"key", "display:A"}, {"visualIndex", 1}},
        Json{{"key", "display:B"}, {"visualIndex", -1}},
        Json{{"key", "somewhere"}, {"visualIndex", 3}},
        Json{{"key", "display:C"}, {"visualIndex", 1.5}},
        Json{{"key", "display:D"}},
        Json(7),
    });
    json["futureField"] = "ignored";
    const auto workspace = WorkspaceShortcut::fromJson(json);
    ASSERT_TRUE(workspace);
    EXPECT_EQ(workspace->name, "Writing");
    EXPECT_EQ(workspace->shortcut, std::nullopt);
    EXPECT_FALSE(workspace->systemShortcutOverrideEnabled);
    EXPECT_EQ(workspace->targets,
              (std::map<WorkspaceTargetKey, int>{{WorkspaceTargetKey::display("A"), 1}}));
}

} // namespace
} // namespace tessarin
