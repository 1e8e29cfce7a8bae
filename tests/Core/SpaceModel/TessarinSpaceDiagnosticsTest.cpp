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

} // namespace
} // namespace tessarin
