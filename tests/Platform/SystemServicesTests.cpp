#include "Platform/Privacy/PrivacyDatabase.h"
#include "Platform/Program/ProgramBundle.h"
#include "Platform/SystemServices.h"
#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

class SystemServicesTest : public ::testing::Test {
protected:
    VirtualMainQueue queue;
    WorkspaceNotificationCenter notifications{queue};
    PrivacyDatabase privacy;
    ProgramBundle program{ProgramBundleInfo{}};
    SystemServices system{notifications, privacy, program};
};

TEST_F(SystemServicesTest, AlertsAnswerWithScriptedResponsesInOrderThenTheFirstButton) {
    system.scriptAlertResponse(AlertResponse::secondButton);
    system.scriptAlertResponse(AlertResponse::thirdButton);
    const SystemAlert alert{"Could Not Add Desktop", "Mission Control did not respond.", {"OK"}};
    EXPECT_EQ(system.runModalAlert(alert), AlertResponse::secondButton);
    EXPECT_EQ(system.runModalAlert(alert), AlertResponse::thirdButton);
    EXPECT_EQ(system.runModalAlert(alert), AlertResponse::firstButton);
    // A person's answer, once the desktop shows alerts; a scripted one still comes first.
    system.setAlertPresenter([](const SystemAlert&) { return AlertResponse::secondButton; });
    system.scriptAlertResponse(AlertResponse::thirdButton);
    EXPECT_EQ(system.runModalAlert(alert), AlertResponse::thirdButton);
    EXPECT_EQ(system.runModalAlert(alert), AlertResponse::secondButton);
    ASSERT_EQ(system.shownAlerts().size(), 5u);
    EXPECT_EQ(system.shownAlerts()[0], alert);
}

TEST_F(SystemServicesTest, ActivatingAnApplicationPostsOnceAndOnlyForAChange) {
    system.addRunningApplication({10, "com.example.A", "A"});
    system.addRunningApplication({20, "com.example.B", "B"});
    std::vector<int32_t> activated;
    auto token = notifications.addObserver(
        WorkspaceNotificationName::didActivateApplication, [&](const WorkspaceNotification& n) {
            activated.push_back(n.application ? n.application->processIdentifier : 0);
        });
    EXPECT_TRUE(system.activate(20));
    EXPECT_TRUE(system.activate(20));
    EXPECT_FALSE(system.activate(99));
    queue.runUntilIdle();
    EXPECT_EQ(activated, std::vector<int32_t>{20});
    system.removeRunningApplication(20);
    EXPECT_FALSE(system.frontmostApplication());
}

} // namespace
} // namespace tessarin
