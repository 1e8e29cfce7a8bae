#include "Core/Previews/OSDGridWindowPreviewRefreshScheduler.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using Reason = WindowPreviewRefreshReason;
using Timing = OSDGridScreenshotTiming;
using Scheduler = OSDGridWindowPreviewRefreshScheduler;

constexpr TimeInterval kNow = 1000;

DisplaySpaceOrderSnapshot display(std::string id, std::vector<SpaceID> spaces,
                                  std::map<SpaceID, SpaceID> replacements = {}) {
    DisplaySpaceOrderSnapshot snapshot;
    snapshot.displayIdentifier = std::move(id);
    snapshot.systemOrderedSpaceIDs = std::move(spaces);
    snapshot.spaceIDReplacements = std::move(replacements);
    return snapshot;
}

WindowPreviewRefreshKey key(const std::string& space, const std::string& preview, SpaceID id) {
    return *WindowPreviewRefreshKey::make(space, preview, id);
}

RandomFraction fixed(double value) {
    return [value] { return value; };
}

std::optional<TimeInterval> nextOf(const Scheduler& scheduler, const WindowPreviewRefreshKey& k) {
    const auto& entries = scheduler.scheduledRefreshBySpace();
    return entries.contains(k) ? entries.at(k).nextRefresh : std::nullopt;
}

TEST(WindowPreviewRefreshKeyTest, BuildsOnlyFromTrimmedIdentifiersAndARealSpace) {
    EXPECT_EQ(WindowPreviewRefreshKey::make(" A\n", "\tB ", 5), key("A", "B", 5));
    EXPECT_FALSE(WindowPreviewRefreshKey::make("A", "B", 0));
    EXPECT_FALSE(WindowPreviewRefreshKey::make("", "B", 5));
    EXPECT_FALSE(WindowPreviewRefreshKey::make("A", " \n", 5));
    EXPECT_EQ(windowPreviewRefreshReason("spaceIDReplacement"), Reason::spaceIDReplacement);
    EXPECT_FALSE(windowPreviewRefreshReason("Periodic"));
}

TEST(WindowPreviewRefreshSchedulerTest, StaggersKeysFromTheInitialDelayOverTheSpread) {
    struct Case {
        const char* name;
        std::vector<SpaceID> spaces;
        double delay, spread;
        std::vector<double> offsets;
    };
    const Case cases[] = {
        {"five keys", {1, 2, 3, 4, 5}, 0.5, 2, {0.5, 1.0, 1.5, 2.0, 2.5}},
        {"one key", {1}, 0.5, 2, {0.5}},
        {"two keys", {1, 2}, 0.5, 2, {0.5, 2.5}},
        {"negative spread", {1, 2, 3}, 0.5, -2, {0.5, 0.5, 0.5}},
        {"delay not a number", {1, 2}, std::nan(""), 1, {0, 1}},
    };
    for (const auto& c : cases) {
        Scheduler scheduler;
        scheduler.scheduleAllVisibleSpaces({display("A", c.spaces)}, {}, Reason::wake, kNow,
                                           c.delay, c.spread);
        for (std::size_t i = 0; i < c.spaces.size(); ++i) {
            EXPECT_EQ(nextOf(scheduler, key("A", "A", c.spaces[i])), kNow + c.offsets[i])
                << c.name << " key " << i;
        }
    }
}

TEST(WindowPreviewRefreshSchedulerTest, ResolvesPreviewScreensPerSpaceDisplay) {
    auto entries = [](const PreviewDisplaysBySpaceDisplay& map) {
        Scheduler scheduler;
        scheduler.scheduleAllVisibleSpaces({display("A", {1, 2})}, map, Reason::wake, kNow, 0, 0);
        return scheduler.scheduledRefreshBySpace().size();
    };
    EXPECT_EQ(entries({}), 2u); // a display missing from the map previews on itself
    EXPECT_EQ(entries({{"A", {}}}), 0u);
    EXPECT_EQ(entries({{"A", {"A", "B"}}}), 4u);
    EXPECT_EQ(entries({{"A", {" "}}}), 0u);
}

TEST(WindowPreviewRefreshSchedulerTest, ReconcilingEveryDisplayDropsVanishedSpacesAndScreens) {
    Scheduler scheduler;
    scheduler.scheduleAllVisibleSpaces({display("A", {1, 2}), display("B", {3})},
                                       {{"A", {"A", "B"}}}, Reason::wake, kNow, 0, 0);
    scheduler.reconcile({display("A", {2})}, {{"A", {"B"}}});
    ASSERT_EQ(scheduler.scheduledRefreshBySpace().size(), 1u);
    EXPECT_EQ(scheduler.scheduledRefreshBySpace().begin()->first, key("A", "B", 2));
}

TEST(WindowPreviewRefreshSchedulerTest, SchedulingOneDisplayLeavesOtherDisplaysAndScreens) {
    Scheduler scheduler;
    scheduler.scheduleAllVisibleSpaces({display("A", {1, 2}), display("B", {3})},
                                       {{"A", {"A", "B"}}}, Reason::wake, kNow, 0, 0);
    // Space 2 is gone from display A: its entry on screen A goes, the one on screen B stays.
    scheduler.scheduleDisplay(display("A", {1}), "A", Reason::visibleGridPresentation, kNow + 5);
    EXPECT_EQ(nextOf(scheduler, key("A", "A", 1)), kNow + 5);
    EXPECT_FALSE(scheduler.scheduledRefreshBySpace().contains(key("A", "A", 2)));
    EXPECT_EQ(nextOf(scheduler, key("A", "B", 2)), kNow);
    EXPECT_EQ(nextOf(scheduler, key("B", "B", 3)), kNow);
}

TEST(WindowPreviewRefreshSchedulerTest, RemapMovesEntriesToReplacementIDs) {
    auto remapped = [](std::map<SpaceID, SpaceID> replacements, const std::string& display) {
        Scheduler scheduler;
        scheduler.scheduleNextRefresh(key("A", "A", 1), Reason::wake, kNow);
        scheduler.noteCaptureRequested({key("A", "A", 1), Reason::wake});
        scheduler.remapSpaceIDs(replacements, display);
        return scheduler.scheduledRefreshBySpace();
    };
    const auto moved = remapped({{1, 9}}, "A");
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved.begin()->first, key("A", "A", 9));
    EXPECT_TRUE(moved.begin()->second.isCaptureInFlight);
    EXPECT_EQ(moved.begin()->second.nextRefreshReason, Reason::spaceIDReplacement);
    EXPECT_TRUE(remapped({{1, 0}}, "A").contains(key("A", "A", 1)));
    EXPECT_TRUE(remapped({{1, 1}}, "A").contains(key("A", "A", 1)));
    EXPECT_TRUE(remapped({{1, 9}}, "B").contains(key("A", "A", 1)));

    Scheduler overwritten;
    overwritten.scheduleNextRefresh(key("A", "A", 1), Reason::wake, kNow);
    overwritten.scheduleNextRefresh(key("A", "A", 9), Reason::periodic, kNow + 50);
    overwritten.reconcile({display("A", {9}, {{1, 9}})}, {});
    EXPECT_EQ(overwritten.scheduledRefreshBySpace().size(), 1u);
    EXPECT_EQ(nextOf(overwritten, key("A", "A", 9)), kNow);
}

TEST(WindowPreviewRefreshSchedulerTest, PrimeSeedsOnlyAnEmptyScheduleByTiming) {
    struct Case {
        Timing timing;
        std::optional<TimeInterval> next;
    };
    for (const auto& c : {Case{Timing::performant, std::nullopt},
                          Case{Timing::optimised, kNow + 15}, Case{Timing::power, kNow + 5}}) {
        Scheduler scheduler;
        auto requests = scheduler.primeWindowPreviewsIfNeeded({display("A", {1, 2})}, {}, c.timing,
                                                              kNow, fixed(0.5));
        ASSERT_EQ(requests.size(), 2u);
        EXPECT_EQ(requests[0],
                  (WindowPreviewRefreshRequest{key("A", "A", 1), Reason::startupPrime}));
        const auto& entry = scheduler.scheduledRefreshBySpace().at(key("A", "A", 2));
        EXPECT_EQ(entry.nextRefresh, c.next);
        EXPECT_EQ(entry.nextRefreshReason.has_value(), c.next.has_value());
        EXPECT_TRUE(
            scheduler
                .primeWindowPreviewsIfNeeded({display("A", {1})}, {}, c.timing, kNow, fixed(0.5))
                .empty());
    }
}

TEST(WindowPreviewRefreshSchedulerTest, CompletionRecordsTheCaptureAndTheNextPeriodicOne) {
    struct Case {
        const char* name;
        bool stored;
        Timing timing;
        std::optional<TimeInterval> lastRefresh, next;
    };
    const Case cases[] = {
        {"stored, power", true, Timing::power, kNow + 1, kNow + 1 + 2.5},
        {"not stored keeps the last date", false, Timing::optimised, std::nullopt, kNow + 8.5},
        {"performant schedules nothing", true, Timing::performant, kNow + 1, std::nullopt},
    };
    for (const auto& c : cases) {
        Scheduler scheduler;
        const auto k = key("A", "A", 1);
        scheduler.scheduleNextRefresh(k, Reason::wake, kNow);
        scheduler.noteCaptureRequested({k, Reason::wake});
        scheduler.scheduleNextRefresh(k, Reason::settingsChanged, kNow + 0.5);
        scheduler.noteCaptureCompleted(k, Reason::wake, c.stored, c.timing, kNow + 1, fixed(0.25));
        const auto& entry = scheduler.scheduledRefreshBySpace().at(k);
        EXPECT_FALSE(entry.isCaptureInFlight) << c.name;
        EXPECT_EQ(entry.lastRefresh, c.lastRefresh) << c.name;
        EXPECT_EQ(entry.lastRefreshReason, Reason::wake) << c.name;
        EXPECT_EQ(entry.nextRefresh, c.next) << c.name;
    }
    Scheduler empty;
    empty.noteCaptureCompleted(key("A", "A", 1), Reason::wake, true, Timing::power, kNow, fixed(0));
    EXPECT_TRUE(empty.scheduledRefreshBySpace().empty());
}

TEST(WindowPreviewRefreshSchedulerTest, DueRequestsSkipRunningAndFutureEntriesInKeyOrder) {
    Scheduler scheduler;
    for (const auto& [k, date] : {std::pair{key("A", "B", 2), kNow},
                                  {key("B", "A", 7), kNow - 1},
                                  {key("A", "A", 3), kNow},
                                  {key("A", "A", 1), kNow + 1},
                                  {key("A", "B", 1), kNow}}) {
        scheduler.scheduleNextRefresh(k, Reason::wake, date);
    }
    scheduler.noteCaptureRequested({key("A", "B", 1), Reason::wake});
    scheduler.scheduleNextRefresh(key("A", "B", 1), Reason::wake, kNow);

    std::vector<WindowPreviewRefreshKey> due;
    for (const auto& request : scheduler.dueRefreshRequests(kNow)) {
        due.push_back(request.key);
    }
    EXPECT_EQ(due, (std::vector{key("A", "A", 3), key("B", "A", 7), key("A", "B", 2)}));
}

TEST(WindowPreviewRefreshSchedulerTest, DeadlineIgnoresEntriesWhoseCaptureRuns) {
    Scheduler scheduler;
    EXPECT_FALSE(scheduler.nextRefreshDeadline());
    scheduler.scheduleNextRefresh(key("A", "A", 1), Reason::wake, kNow);
    scheduler.scheduleNextRefresh(key("A", "A", 2), Reason::wake, kNow + 20);
    scheduler.noteCaptureRequested({key("A", "A", 1), Reason::wake});
    // Scheduled again while it runs: not due, so it must not hold the timer at this date.
    scheduler.scheduleNextRefresh(key("A", "A", 1), Reason::wake, kNow + 1);
    EXPECT_EQ(scheduler.nextRefreshDeadline(), kNow + 20);
    scheduler.noteCaptureCompleted(key("A", "A", 1), Reason::wake, true, Timing::power, kNow + 2,
                                   fixed(0.1));
    EXPECT_EQ(scheduler.nextRefreshDeadline(), kNow + 3);
    // The dates are kept in order between changes; each change that moves them is seen.
    scheduler.noteCaptureRequested({key("A", "A", 1), Reason::wake});
    EXPECT_EQ(scheduler.nextRefreshDeadline(), kNow + 20);
    // An unserved request ends without having run, and its date moves later.
    scheduler.noteCaptureCompleted(key("A", "A", 2), Reason::wake, false, Timing::power, kNow + 30,
                                   fixed(0.1));
    EXPECT_EQ(scheduler.nextRefreshDeadline(), kNow + 31);
    scheduler.noteCaptureCompleted(key("A", "A", 1), Reason::wake, true, Timing::power, kNow + 30,
                                   fixed(0.05));
    EXPECT_EQ(scheduler.nextRefreshDeadline(), kNow + 30.5);
    scheduler.scheduleNextRefresh(key("A", "A", 3), Reason::wake, kNow + 1);
    EXPECT_EQ(scheduler.nextRefreshDeadline(), kNow + 1);
    scheduler.reconcile({display("A", {1, 2})}, {});
    EXPECT_EQ(scheduler.nextRefreshDeadline(), kNow + 30.5);
    scheduler.scheduleNextRefresh(key("A", "A", 2), Reason::wake, kNow + 2);
    EXPECT_EQ(scheduler.nextRefreshDeadline(), kNow + 2);
    scheduler.remapSpaceIDs({{1, 2}}, "A"); // Space 1's entry replaces Space 2's
    EXPECT_EQ(scheduler.nextRefreshDeadline(), kNow + 30.5);
    scheduler.clear();
    EXPECT_FALSE(scheduler.nextRefreshDeadline());
    scheduler.primeWindowPreviewsIfNeeded({display("A", {1})}, {}, Timing::power, kNow, fixed(0));
    EXPECT_EQ(scheduler.nextRefreshDeadline(), kNow);
}

} // namespace
} // namespace tessarin
