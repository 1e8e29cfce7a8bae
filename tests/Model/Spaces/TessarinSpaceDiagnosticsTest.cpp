#include "Model/Spaces/TessarinSpaceDiagnostics.h"

#include "Support/Environment.h"
#include "Support/Logger.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace tessarin {
namespace {

using D = TessarinSpaceDiagnostics;

class TessarinSpaceDiagnosticsTest : public ::testing::Test {
protected:
    std::vector<std::string> lines() const { return capture.messages("SpaceDiagnostics"); }

    ScopedLogCapture capture;
};

TEST_F(TessarinSpaceDiagnosticsTest, OffBuildsNoMessageAndWritesNothing) {
    ScopedEnvironmentOverride env(D::environmentVariable, "0");
    int built = 0;
    D::debug([&] {
        ++built;
        return std::string("expensive");
    });
    D::logSpaceSnapshot("A", 1, {1, 2}, {5}, {}, false, {DisplaySpaceSlot::realSpace(1)}, {});
    D::logSystemWoke();
    EXPECT_EQ(built, 0);
    EXPECT_TRUE(capture.records().empty());
}

TEST_F(TessarinSpaceDiagnosticsTest, OnWritesDebugLinesToItsCategory) {
    ScopedEnvironmentOverride env(D::environmentVariable, " Yes\n");
    D::logActiveSpaceChanged();
    const auto records = capture.records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].category, "SpaceDiagnostics");
    EXPECT_EQ(records[0].subsystem, kBundleIdentifier);
    EXPECT_EQ(records[0].level, LogLevel::debug);
    EXPECT_EQ(records[0].message, "active space changed");
}

TEST_F(TessarinSpaceDiagnosticsTest, EachRecordKeepsItsFormat) {
    ScopedEnvironmentOverride env(D::environmentVariable, "on");
    const std::map<SpaceID, SpaceID> replaced{{7, 12}, {5, 9}};
    const std::vector<DisplaySpaceSlot> slots{DisplaySpaceSlot::realSpace(3),
                                              DisplaySpaceSlot::makePlaceholder(),
                                              DisplaySpaceSlot::makePinnedPlaceholder()};
    // clang-format off
    const std::vector<std::pair<std::function<void()>, std::string>> rows{
        {[&] { D::logSpaceSnapshot("A", 3, {3, 4}, {9, 2}, {4}, true, slots, replaced); },
         "space snapshot display=A active=3 system=[3,4] other=[2,9] duplicated=[4] "
         "allowsRecoveryReplacements=true visual=[3,placeholder(0),pinnedPlaceholder(0)] "
         "replacements=[5->9,7->12]"},
        {[] { D::logSpaceSnapshotFailed("A", 3, {}, {9, 2}, {}, false, 4); },
         "space snapshot failed display=A active=3 system=[] other=[2,9] duplicated=[] "
         "allowsRecoveryReplacements=false expectedCount=4"},
        {[] { D::logCollapseExpired("wake", 2, 3, 1, std::nullopt); },
         "space topology collapse expired reason=wake screens=2 expectedSpaceDisplays=3 "
         "spaceDisplays=1 stableSpaceDisplays=nil"},
        {[] { D::logRecoveryReplacementsEnabled("wake", 5); },
         "space topology recovery replacements enabled reason=wake duration=5.0"},
        {[] { D::logAppMetadataCacheRemapped("A", {}); }, "app metadata cache remapped display=A replacements=[:]"},
        {[&] { D::logWindowMetadataCacheRemapped("A", replaced); }, "window metadata cache remapped display=A replacements=[5->9,7->12]"},
        {[&] { D::logScreenshotCacheRemapped("A", replaced); }, "screenshot cache remapped display=A replacements=[5->9,7->12]"},
        {[&] { D::logWindowPreviewCacheRemapped("B", replaced); }, "window preview cache remapped display=B replacements=[5->9,7->12]"},
        {[] { D::logWindowMetadataRefreshed("A", {4, 3}, "[:]"); }, "window metadata refreshed display=A visible=[3,4] sources=[:]"},
        {[] { D::logTitleRecorded("A", 3, std::nullopt, std::nullopt); }, "title recorded display=A spaceID=3 title=nil app=nil"},
        {[] { D::logIconRecorded("A", 3, "Mail", "com.example.mail"); }, "icon recorded display=A spaceID=3 app=Mail bundle=com.example.mail"},
        {[] { D::logScreenshotRecorded("A", 3, 0); }, "screenshot recorded display=A spaceID=3 index=0"},
        {[] { D::logApplicationActivated(std::nullopt, std::nullopt); }, "application activated app=unknown bundle=unknown"},
        {[] { D::logScreenParametersChanged(); }, "screen parameters changed"},
        {[] { D::logSystemWoke(); }, "system woke from sleep"},
    };
    // clang-format on
    for (const auto& [write, line] : rows) {
        capture.clear();
        write();
        EXPECT_EQ(lines(), std::vector<std::string>{line});
    }
}

} // namespace
} // namespace tessarin
