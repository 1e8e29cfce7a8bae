#include "Core/Workspaces/WorkspaceShortcutStore.h"
#include "Platform/Preferences/UserDefaults.h"
#include "Support/Logger.h"
#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

// The stored list is read at every start: text that cannot be read must give an empty list and
// a logged reason, not end the program.
TEST(WorkspaceShortcutStoreHostileInputTest, UnreadableStoredListLoadsAsNoWorkspaces) {
    const std::string entry = R"({"id": "6F1B2C3D-4E5F-4071-8293-A4B5C6D7E8F9", "name": "A", )";
    struct Case {
        const char* name;
        std::string text;
    };
    const Case cases[] = {
        {"number above the double range", "[" + entry + R"("shortcut": {"keyCode": 1e400}}])"},
        {"number below the double range", "[" + entry + R"("targetAssignments": -1e400}])"},
        {"nested 5000 deep", "[" + std::string(5000, '[') + std::string(5000, ']') + "]"},
    };
    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedLogCapture logs;
        UserDefaults defaults;
        defaults.set(WorkspaceShortcutStore::kStorageKey, Data(c.text.begin(), c.text.end()));
        WorkspaceShortcutStore store(defaults);
        EXPECT_TRUE(store.cachedWorkspaces().empty());
        EXPECT_EQ(logs.messages("SpaceSwitch").size(), 1u);
    }
}

} // namespace
} // namespace tessarin
