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

TEST_F(WorkspaceNotificationCenterTest, ObserversHearTheirNameOnALaterTurnAndAnEmptyNameHearsAll) {
    auto space = listen(Name::activeSpaceDidChange, "space");
    auto wake = listen(Name::didWake, "wake");
    auto all = listen("", "all");
    std::thread([&] { center.post(Name::didWake); }).join();
    center.post(Name::screenParametersDidChange);
    EXPECT_TRUE(heard.empty());
    queue.runUntilIdle();
    EXPECT_EQ(heard, (std::vector<std::string>{
                         "wake:" + std::string(Name::didWake), "all:" + std::string(Name::didWake),
                         "all:" + std::string(Name::screenParametersDidChange)}));
}

// Removed or dropped observers hear nothing still pending, nor do those of a centre gone.
TEST_F(WorkspaceNotificationCenterTest, RemovedOrDroppedObserversHearNothingPending) {
    WorkspaceNotificationCenter::Token kept;
    auto removed = listen(Name::didWake, "removed");
    {
        kept = listen(Name::didWake, "kept");
        auto dropped = listen(Name::didWake, "dropped");
    }
    auto gone = std::make_unique<WorkspaceNotificationCenter>(queue);
    auto orphan = gone->addObserver(Name::didWake, [&](const auto&) { heard.push_back("gone"); });
    gone->post(Name::didWake);
    gone.reset();
    center.post(Name::didWake);
    removed.remove();
    queue.runUntilIdle();
    EXPECT_EQ(heard, std::vector<std::string>{"kept:" + std::string(Name::didWake)});
    EXPECT_EQ(center.observerCount(Name::didWake), 1u);
    orphan.remove(); // harmless after the centre is gone
}

} // namespace
} // namespace tessarin
