#include "Workspaces/WorkspaceTargetKey.h"

#include <gtest/gtest.h>
#include <unordered_set>

namespace tessarin {
namespace {

TEST(WorkspaceTargetKeyTests, StorageKeyRoundTrips) {
    for (const WorkspaceTargetKey& key :
         {WorkspaceTargetKey::sharedSpaces(), WorkspaceTargetKey::display("37D8832A-2D66-02CA"),
          WorkspaceTargetKey::display("a:b"), WorkspaceTargetKey::display("")}) {
        EXPECT_EQ(WorkspaceTargetKey::fromStorageKey(key.storageKey()), key) << key.storageKey();
    }
}

TEST(WorkspaceTargetKeyTests, UnknownTextsGiveNothing) {
    EXPECT_EQ(WorkspaceTargetKey::display("ABC").storageKey(), "display:ABC");
    for (const char* text : {"", "display", "sharedspaces", "Display:ABC", "sharedSpaces "}) {
        EXPECT_EQ(WorkspaceTargetKey::fromStorageKey(text), std::nullopt) << text;
    }
    EXPECT_NE(WorkspaceTargetKey::sharedSpaces(), WorkspaceTargetKey::display("sharedSpaces"));
}

// Keys equal as values hash alike: a workspace's targets are looked up by key.
TEST(WorkspaceTargetKeyTests, EqualKeysHashAlike) {
    const std::unordered_set<WorkspaceTargetKey> set{
        WorkspaceTargetKey::display("A"), WorkspaceTargetKey::display("A"),
        WorkspaceTargetKey::sharedSpaces(), WorkspaceTargetKey::display("")};
    EXPECT_EQ(set.size(), 3u);
}

} // namespace
} // namespace tessarin
