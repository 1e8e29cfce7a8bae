#include "Core/SpaceModel/TessarinSpaceDiagnostics.h"

#include "Support/Environment.h"
#include "Support/Logger.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using D = TessarinSpaceDiagnostics;

class TessarinSpaceDiagnosticsTest : public ::testing::Test {
protected:
    std::vector<std::string> lines() const { return capture.messages("SpaceDiagnostics"); }

    ScopedLogCapture capture;
};

TEST_F(TessarinSpaceDiagnosticsTest, TheSwitchReadsTheEnvironmentVariable) {
    EXPECT_FALSE(D::isEnabled());
    ScopedEnvironmentOverride env(D::environmentVariable, " Yes\n");
    EXPECT_TRUE(D::isEnabled());
}

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
    ScopedEnvironmentOverride env(D::environmentVariable, "1");
    D::logActiveSpaceChanged();
    const auto records = capture.records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].category, "SpaceDiagnostics");
    EXPECT_EQ(records[0].subsystem, kBundleIdentifier);
    EXPECT_EQ(records[0].level, LogLevel::debug);
    EXPECT_EQ(records[0].message, "active space changed");
}

TEST_F(TessarinSpaceDiagnosticsTest, RecordsInTheirExactForm) {
    ScopedEnvironmentOverride env(D::environmentVariable, "yes");
    using Slot = DisplaySpaceSlot;
    D::logCollapseExpired("hotkey-registration", 2, 2, std::nullopt, std::nullopt);
    D::logSpaceSnapshot("UUID-A", 12, {12, 11}, {30, 4}, {11}, true,
                        {Slot::realSpace(11), Slot::makePlaceholder(), Slot::realSpace(12)},
                        {{3, 12}});
    D::logWindowMetadataCacheRemapped("A", {{1, 2}});
    D::logWindowPreviewCacheRemapped("A", {{1, 2}});
    D::logWindowMetadataRefreshed("A", {9, 3}, "[:]");
    D::logTitleRecorded("A", 3, std::nullopt, "Mail");
    D::logIconRecorded("A", 3, "Mail", "com.apple.mail");
    D::logScreenshotRecorded("A", 3, 1);
    D::logApplicationActivated("Safari", "com.apple.Safari");
    D::logScreenParametersChanged();
    D::logSystemWoke();

    const std::vector<std::string> expected = {
        "space topology collapse expired reason=hotkey-registration screens=2 "
        "expectedSpaceDisplays=2 spaceDisplays=nil stableSpaceDisplays=nil",
        "space snapshot display=UUID-A active=12 system=[12,11] other=[4,30] duplicated=[11] "
        "allowsRecoveryReplacements=true visual=[11,placeholder(0),12] replacements=[3->12]",
        "window metadata cache remapped display=A replacements=[1->2]",
        "window preview cache remapped display=A replacements=[1->2]",
        "window metadata refreshed display=A visible=[3,9] sources=[:]",
        "title recorded display=A spaceID=3 title=nil app=Mail",
        "icon recorded display=A spaceID=3 app=Mail bundle=com.apple.mail",
        "screenshot recorded display=A spaceID=3 index=1",
        "application activated app=Safari bundle=com.apple.Safari",
        "screen parameters changed",
        "system woke from sleep",
    };
    EXPECT_EQ(lines(), expected);
}

} // namespace
} // namespace tessarin
