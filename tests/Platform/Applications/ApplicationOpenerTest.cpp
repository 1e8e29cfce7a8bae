#include "Platform/Applications/ApplicationOpener.h"

#include "Platform/MissionControl.h"
#include "Platform/PlatformWorld.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using ApplicationOpenerTest = HostWorld;

TEST_F(ApplicationOpenerTest, onlyMissionControlsApplicationOpensMissionControl) {
    ApplicationOpener& opener = host.applications();
    const std::vector<std::string> paths = {"/Applications/Editor.app",
                                            ApplicationOpener::missionControlApplicationPath};
    opener.setOpensApplications(false);
    EXPECT_FALSE(opener.openApplication(paths[1]));
    opener.setOpensApplications(true);
    EXPECT_TRUE(opener.openApplication(paths[0]));
    EXPECT_EQ(host.missionControl().openRequestCount(), 0u);
    EXPECT_TRUE(opener.openApplication(paths[1]));
    queue.advance(MissionControl::kDefaultOpeningDelay);
    EXPECT_TRUE(host.missionControl().isOpen());
    EXPECT_EQ(opener.openedPaths(), (std::vector<std::string>{paths[1], paths[0], paths[1]}));
}

} // namespace
} // namespace tessarin
