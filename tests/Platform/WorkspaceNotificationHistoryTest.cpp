#include "Platform/WorkspaceNotificationCenter.h"
#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>
#include <string>

namespace tessarin {
namespace {

// A program that runs for days posts without end; the center keeps a short recent history and
// counts, not every notification.
TEST(WorkspaceNotificationHistory, KeepsOnlyTheMostRecentNotificationsButCountsThemAll) {
    VirtualMainQueue queue;
    WorkspaceNotificationCenter center(queue);
    const std::size_t limit = WorkspaceNotificationCenter::kRecentHistoryLimit;
    for (std::size_t i = 0; i < 3 * limit; ++i) {
        center.post("N" + std::to_string(i));
    }
    center.post(WorkspaceNotificationName::didWake);

    const auto recent = center.recentNotifications();
    ASSERT_EQ(recent.size(), limit);
    EXPECT_EQ(recent.front().name, "N" + std::to_string(2 * limit + 1));
    EXPECT_EQ(recent.back().name, WorkspaceNotificationName::didWake);
    EXPECT_EQ(center.postedCount(WorkspaceNotificationName::didWake), 1u);
}

} // namespace
} // namespace tessarin
