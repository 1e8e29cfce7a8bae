// The icon chosen on the System page reaches the status item through the delegate's defaults
// observer, as in the program.

#include "Core/Fakes/EngineWorld.h"
#include "Platform/StatusBar/StatusBar.h"
#include "Platform/StatusBar/StatusItem.h"
#include "UI/Preferences/Kit/SettingsPopUpButton.h"
#include "UI/Preferences/PreferencesTestSupport.h"
#include "UI/Preferences/System/SystemSettingsViewController.h"
#include "UI/Preferences/System/SystemSettingsViewIdentifier.h"

namespace tessarin {
namespace {

TEST(SystemSettingsStatusItem, TheChosenIconReachesTheStatusItem) {
    testing::ensureWidgetApplication();
    fakes::World world(fakes::switchingScenario(),
                       [](AppDelegateDependencies& dependencies) { dependencies.shell = nullptr; });
    world.d().applicationDidFinishLaunching();
    world.queue.advance(1.0);
    {
        SystemSettingsViewController page(world.host.defaults());
        auto* icon = page.view()->findChild<SettingsPopUpButton*>(
            SystemSettingsViewIdentifier::menuBarIconControl);
        ASSERT_NE(icon, nullptr);
        ASSERT_EQ(world.host.statusBar().items().size(), 1u);
        const StatusBarButton* button = world.host.statusBar().items().front()->button();
        ASSERT_NE(button, nullptr);
        const std::optional<QImage> template_ = button->image();
        const auto choose = [&](int index) {
            icon->setCurrentIndex(index);
            Q_EMIT icon->activated(index);
            world.queue.advance(0.5);
        };
        choose(2); // Space Number
        EXPECT_EQ(button->title(), "1");
        EXPECT_EQ(button->image(), std::nullopt);
        choose(1); // Minigrid
        EXPECT_TRUE(button->title().empty());
        ASSERT_TRUE(button->image());
        EXPECT_NE(button->image(), template_);
        choose(0); // Tessarin
        EXPECT_EQ(button->image(), template_);
    }
    testing::flushDeferredDeletes();
}

} // namespace
} // namespace tessarin
