#include "Platform/Host.h"
#include "Platform/Scenario.h"
#include "Support/VirtualMainQueue.h"
#include "Workspaces/WorkspaceSpaceSource.h"

#include <gtest/gtest.h>
#include <memory>

namespace tessarin {
namespace {

constexpr const char* kSeparate = R"({
  "displays": [
    {"id": 1, "uuid": "LEFT-UUID", "name": "Left", "frame": [0, 0, 1920, 1080]},
    {"id": 2, "uuid": "RIGHT-UUID", "name": "Right", "frame": [1920, 0, 1440, 900]}],
  "spaces": [
    {"display": "LEFT-UUID", "current": 12, "spaces": [{"id": 11}, {"id": 12}, {"id": 13, "type": 4}]},
    {"display": "RIGHT-UUID", "spaces": [{"id": 21}]}]
})";

constexpr const char* kShared = R"({
  "displays": [
    {"id": 1, "uuid": "LEFT-UUID", "name": "Left", "frame": [0, 0, 1920, 1080]},
    {"id": 2, "uuid": "RIGHT-UUID", "name": "Right", "frame": [1920, 0, 1440, 900]}],
  "separateSpaces": false,
  "spaces": [{"display": "Main", "current": 32, "spaces": [{"id": 31}, {"id": 32}]}]
})";

class WorkspaceSpaceSourceTests : public ::testing::Test {
protected:
    void makeHost(const char* text) {
        const auto parsed = parseScenarioText(text, "test");
        ASSERT_TRUE(parsed) << parsed.error;
        host = std::make_unique<Host>(*parsed.scenario, queue);
        current = std::make_unique<ScopedCurrentHost>(*host);
    }

    VirtualMainQueue queue;
    ScopedMainQueue scopedQueue{queue};
    std::unique_ptr<Host> host;
    std::unique_ptr<ScopedCurrentHost> current;
};

TEST_F(WorkspaceSpaceSourceTests, SeparateSpacesAreReadPerDisplayInSystemOrder) {
    makeHost(kSeparate);
    const WorkspaceSpaceSource source = WorkspaceSpaceSource::live();
    EXPECT_EQ(source.displayIdentifierWithSpaces(), "LEFT-UUID");
    EXPECT_EQ(source.spaces("LEFT-UUID"), (WorkspaceDisplaySpaces{{11, 12, 13}, 12}));
    EXPECT_EQ(source.spaces("RIGHT-UUID"), (WorkspaceDisplaySpaces{{21}, 21}));
    EXPECT_EQ(source.spaces("UNKNOWN-UUID"), std::nullopt);
}

TEST_F(WorkspaceSpaceSourceTests, SharedSpacesAreOwnedByMain) {
    makeHost(kShared);
    const WorkspaceSpaceSource source = WorkspaceSpaceSource::live();
    EXPECT_EQ(source.displayIdentifierWithSpaces(), "Main");
    EXPECT_EQ(source.spaces("Main"), (WorkspaceDisplaySpaces{{31, 32}, 32}));
}

TEST_F(WorkspaceSpaceSourceTests, WithdrawnWindowServerCallsGiveNothing) {
    makeHost(kSeparate);
    host->calls().copyManagedDisplaySpaces = nullptr;
    const WorkspaceSpaceSource source = WorkspaceSpaceSource::live();
    EXPECT_EQ(source.spaces("LEFT-UUID"), std::nullopt);
    EXPECT_EQ(source.displayIdentifierWithSpaces(), std::nullopt);
    host->restoreCalls();
    host->calls().mainConnectionID = [] { return 0; };
    EXPECT_EQ(source.spaces("LEFT-UUID"), std::nullopt);
}

} // namespace
} // namespace tessarin
