#include "Platform/WorkspaceNotificationCenter.h"
#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>
#include <thread>

namespace tessarin {
namespace {

namespace Name = WorkspaceNotificationName;

class WorkspaceNotificationCenterTest : public ::testing::Test {
protected:
    VirtualMainQueue queue;
    WorkspaceNotificationCenter center{queue};
    std::vector<std::string> heard;

    WorkspaceNotificationCenter::Token listen(const std::string& name, const std::string& label) {
        return center.addObserver(name, [this, label](const WorkspaceNotification& n) {
            heard.push_back(label + ":" + n.name);
        });
    }
};

TEST_F(WorkspaceNotificationCenterTest, ObserversHearOnALaterTurnOfTheQueue) {
    auto token = listen(Name::activeSpaceDidChange, "space");
    center.post(Name::activeSpaceDidChange);
    EXPECT_TRUE(heard.empty());
    queue.runUntilIdle();
    EXPECT_EQ(heard, std::vector<std::string>{"space:" + std::string(Name::activeSpaceDidChange)});
}

TEST_F(WorkspaceNotificationCenterTest, ObserversHearOnlyTheirNameAndAnEmptyNameHearsAll) {
    auto space = listen(Name::activeSpaceDidChange, "space");
    auto wake = listen(Name::didWake, "wake");
    auto all = listen("", "all");
    center.post(Name::didWake);
    center.post(Name::screenParametersDidChange);
    queue.runUntilIdle();
    EXPECT_EQ(heard, (std::vector<std::string>{
                         "wake:" + std::string(Name::didWake), "all:" + std::string(Name::didWake),
                         "all:" + std::string(Name::screenParametersDidChange)}));
}

TEST_F(WorkspaceNotificationCenterTest, AnObserverRemovedBeforeDeliveryHearsNothing) {
    auto token = listen(Name::didWake, "wake");
    center.post(Name::didWake);
    token.remove();
    EXPECT_FALSE(token.isActive());
    queue.runUntilIdle();
    EXPECT_TRUE(heard.empty());
    EXPECT_EQ(center.observerCount(Name::didWake), 0u);
}

TEST_F(WorkspaceNotificationCenterTest, ATokenRemovesItsObserverWhenDestroyedAndCanBeMoved) {
    WorkspaceNotificationCenter::Token kept;
    {
        auto token = listen(Name::didWake, "wake");
        kept = std::move(token);
        auto dropped = listen(Name::didWake, "dropped");
    }
    EXPECT_EQ(center.observerCount(Name::didWake), 1u);
    center.post(Name::didWake);
    queue.runUntilIdle();
    EXPECT_EQ(heard, std::vector<std::string>{"wake:" + std::string(Name::didWake)});
}

TEST_F(WorkspaceNotificationCenterTest, ActivationCarriesTheApplication) {
    std::optional<RunningApplication> application;
    auto token =
        center.addObserver(Name::didActivateApplication,
                           [&](const WorkspaceNotification& n) { application = n.application; });
    const RunningApplication safari{521, "com.apple.Safari", "Safari"};
    center.post({Name::didActivateApplication, safari});
    queue.runUntilIdle();
    EXPECT_EQ(application, safari);
    EXPECT_EQ(center.postedCount(Name::didActivateApplication), 1u);
}

TEST_F(WorkspaceNotificationCenterTest, PostingFromAnotherThreadDeliversOnTheQueue) {
    auto token = listen(Name::didWake, "wake");
    std::thread poster([&] { center.post(Name::didWake); });
    poster.join();
    EXPECT_TRUE(heard.empty());
    queue.runUntilIdle();
    EXPECT_EQ(heard.size(), 1u);
}

TEST_F(WorkspaceNotificationCenterTest, ADeliveryAfterTheCenterIsGoneIsDropped) {
    auto center2 = std::make_unique<WorkspaceNotificationCenter>(queue);
    int calls = 0;
    auto token =
        center2->addObserver(Name::didWake, [&](const WorkspaceNotification&) { ++calls; });
    center2->post(Name::didWake);
    center2.reset();
    queue.runUntilIdle();
    EXPECT_EQ(calls, 0);
    token.remove(); // harmless after the centre is gone
}

} // namespace
} // namespace tessarin
