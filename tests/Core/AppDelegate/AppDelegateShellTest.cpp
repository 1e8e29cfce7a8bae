// The launch snapshot line, the preferences window made on first use and the update holder.

#include "Core/Fakes/ShellSeams.h"
#include "UI/OSD/OSDGridViewTestSupport.h"

#include <QLineEdit>
#include <QTest>

namespace tessarin::testing {
namespace {

using fakes::ShellWorld;

TEST(AppDelegateShell, TheLaunchPickerOpensAfterItsDelayAndTheSnapshotLineFollows) {
    for (const std::optional<std::string>& failure :
         {std::optional<std::string>(), std::optional<std::string>("no visible grid window")}) {
        ShellWorld world({"--osd-snapshot-path", "shot.png", "--osd-snapshot-delay", "0.5"});
        world.grid().globalShowOSDSpacePickerOnAllScreens = true;
        world.snapshotFailure = failure;
        std::vector<bool> finished;
        world.d().launchSnapshotFinished = [&](bool written) { finished.push_back(written); };
        world.d().applicationDidFinishLaunching();
        ::testing::internal::CaptureStdout();
        world.queue.advance(0.8);
        EXPECT_EQ(world.presentation->calls,
                  std::vector<std::string>{"showOSDSpacePickerOnAllScreens"});
        world.queue.advance(0.49);
        EXPECT_TRUE(world.snapshotsWritten.empty());
        world.queue.advance(0.02);
        const std::string absolute = (std::filesystem::current_path() / "shot.png").string();
        EXPECT_EQ(world.snapshotsWritten, std::vector<std::filesystem::path>{absolute});
        EXPECT_EQ(::testing::internal::GetCapturedStdout(),
                  failure ? "Failed to write OSD snapshot to " + absolute + ": " + *failure + "\n"
                          : "Wrote OSD snapshot to " + absolute + "\n");
        EXPECT_EQ(finished, std::vector<bool>{!failure});
    }
}

TEST(AppDelegateShell, PreferencesAreMadeOnceAndComeForwardOnlyWithAWindow) {
    ShellWorld world;
    world.d().openPreferences();
    world.d().openPreferences();
    world.preferencesHaveWindow = false;
    world.d().openPreferences();
    EXPECT_EQ(world.preferencesMade, 1);
    EXPECT_EQ(world.preferencesBroughtForward, 2);
}

// Both launches install the main menu: its Settings key reaches the delegate from a window.
TEST(AppDelegateShell, TheMainMenusSettingsKeyBringsThePreferencesForward) {
    testing::ensureApplication();
    for (const auto& arguments : {std::vector<std::string>{}, {"--osd-preview-fixture"}}) {
        ShellWorld world(arguments);
        world.d().applicationDidFinishLaunching();
        QLineEdit window;
        window.show();
        QTest::keyClick(&window, Qt::Key_Comma, Qt::ControlModifier);
        EXPECT_EQ(world.preferencesBroughtForward, 1) << ::testing::PrintToString(arguments);
    }
}

TEST(AppDelegateShell, OnlyARealUpdateKeyCountsAsConfigured) {
    const auto configured = [](PropertyValue value) {
        return SoftwareUpdateController::hasConfiguredPublicEDKey({{"SUPublicEDKey", value}});
    };
    EXPECT_TRUE(configured("abc=\n"));
    EXPECT_FALSE(configured(" \n\t") || configured(" REPLACE_WITH_SPARKLE_PUBLIC_ED_KEY") ||
                 configured(int64_t{1}));
}

} // namespace
} // namespace tessarin::testing
