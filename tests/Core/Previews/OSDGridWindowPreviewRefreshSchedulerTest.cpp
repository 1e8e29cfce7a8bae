#include "Core/Previews/OSDGridWindowPreviewRefreshScheduler.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using Reason = WindowPreviewRefreshReason;
using Timing = OSDGridScreenshotTiming;

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

std::optional<TimeInterval> nextOf(const OSDGridWindowPreviewRefreshScheduler& scheduler,
                                   const WindowPreviewRefreshKey& k) {
    auto found = scheduler.scheduledRefreshBySpace().find(k);
    return found == scheduler.scheduledRefreshBySpace().end() ? std::nullopt
                                                              : found->second.nextRefresh;
}

TEST(WindowPreviewRefreshKeyTest, BuildsOnlyFromTrimmedIdentifiersAndARealSpace) {
    struct Case {
        const char* name;
        const char* space;
        const char* preview;
        SpaceID spaceID;
        bool built;
    };
    const Case cases[] = {
        {"plain", "A", "B", 5, true},
        {"padded identifiers", " A\n", "\tB ", 5, true},
        {"Space 0", "A", "B", 0, false},
        {"empty Space display", "", "B", 5, false},
        {"blank preview display", "A", " \n", 5, false},
    };
    for (const auto& c : cases) {
        auto k = WindowPreviewRefreshKey::make(c.space, c.preview, c.spaceID);
        EXPECT_EQ(k.has_value(), c.built) << c.name;
        if (k) {
            EXPECT_EQ(k->spaceDisplayIdentifier(), "A") << c.name;
            EXPECT_EQ(k->previewDisplayIdentifier(), "B") << c.name;
        }
    }
}

TEST(WindowPreviewRefreshReasonTest, RoundTripsExactlyTheRawNames) {
    EXPECT_EQ(windowPreviewRefreshReason("spaceIDReplacement"), Reason::spaceIDReplacement);
    EXPECT_EQ(rawValue(Reason::visibleGridPresentation), "visibleGridPresentation");
    EXPECT_FALSE(windowPreviewRefreshReason("Periodic"));
}

TEST(WindowPreviewRefreshSchedulerTest, StaggersKeysFromTheInitialDelayOverTheSpread) {
    struct Case {
        const char* name;
        std::vector<SpaceID> spaces;
        double delay;
        double spread;
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
        OSDGridWindowPreviewRefreshScheduler scheduler;
        scheduler.scheduleAllVisibleSpaces({display("A", c.spaces)}, {}, Reason::wake, kNow,
                                           c.delay, c.spread);
        for (std::size_t i = 0; i < c.spaces.size(); ++i) {
            EXPECT_EQ(nextOf(scheduler, key("A", "A", c.spaces[i])), kNow + c.offsets[i])
                << c.name << " key " << i;
        }
    }
}

TEST(WindowPreviewRefreshSchedulerTest, ResolvesPreviewScreensPerSpaceDisplay) {
    struct Case {
        const char* name;
        PreviewDisplaysBySpaceDisplay map;
        std::size_t entries;
    };
    const Case cases[] = {
        {"missing display previews on itself", {}, 2},
        {"empty list previews nowhere", {{"A", {}}}, 0},
        {"two screens share the Spaces", {{"A", {"A", "B"}}}, 4},
        {"blank screen yields no key", {{"A", {" "}}}, 0},
    };
    for (const auto& c : cases) {
        OSDGridWindowPreviewRefreshScheduler scheduler;
        scheduler.scheduleAllVisibleSpaces({display("A", {1, 2})}, c.map, Reason::wake, kNow, 0, 0);
        EXPECT_EQ(scheduler.scheduledRefreshBySpace().size(), c.entries) << c.name;
    }
}

TEST(WindowPreviewRefreshSchedulerTest, ReconcileDropsVanishedSpacesAndScreens) {
    OSDGridWindowPreviewRefreshScheduler scheduler;
    scheduler.scheduleAllVisibleSpaces({display("A", {1, 2}), display("B", {3})},
                                       {{"A", {"A", "B"}}}, Reason::wake, kNow, 0, 0);
    scheduler.reconcile({display("A", {2})}, {{"A", {"B"}}});
    ASSERT_EQ(scheduler.scheduledRefreshBySpace().size(), 1u);
    EXPECT_EQ(scheduler.scheduledRefreshBySpace().begin()->first, key("A", "B", 2));
    scheduler.reconcile({}, {});
    EXPECT_TRUE(scheduler.scheduledRefreshBySpace().empty());
}

TEST(WindowPreviewRefreshSchedulerTest, SchedulingOneDisplayLeavesOtherDisplaysAndScreens) {
    OSDGridWindowPreviewRefreshScheduler scheduler;
    scheduler.scheduleAllVisibleSpaces({display("A", {1, 2}), display("B", {3})},
                                       {{"A", {"A", "B"}}}, Reason::wake, kNow, 0, 0);
    // Space 2 is gone from display A: its entry on screen A goes, the one on screen B stays.
    scheduler.scheduleDisplay(display("A", {1}), "A", Reason::visibleGridPresentation, kNow + 5);
    EXPECT_EQ(nextOf(scheduler, key("A", "A", 1)), kNow + 5);
    EXPECT_FALSE(scheduler.scheduledRefreshBySpace().contains(key("A", "A", 2)));
    EXPECT_EQ(nextOf(scheduler, key("A", "B", 1)), kNow);
    EXPECT_EQ(nextOf(scheduler, key("A", "B", 2)), kNow);
    EXPECT_EQ(nextOf(scheduler, key("B", "B", 3)), kNow);
}

TEST(WindowPreviewRefreshSchedulerTest, RemapMovesEntriesToReplacementIDs) {
    struct Case {
        const char* name;
        std::map<SpaceID, SpaceID> replacements;
        std::string display;
        SpaceID expectedSpace;
    };
    const Case cases[] = {
        {"moves", {{1, 9}}, "A", 9},
        {"pair with 0 ignored", {{1, 0}}, "A", 1},
        {"equal pair ignored", {{1, 1}}, "A", 1},
        {"other display untouched", {{1, 9}}, "B", 1},
        {"display not trimmed", {{1, 9}}, " A", 1},
    };
    for (const auto& c : cases) {
        OSDGridWindowPreviewRefreshScheduler scheduler;
        scheduler.scheduleNextRefresh(key("A", "A", 1), Reason::wake, kNow);
        scheduler.noteCaptureRequested({key("A", "A", 1), Reason::wake});
        scheduler.remapSpaceIDs(c.replacements, c.display);
        const auto& entries = scheduler.scheduledRefreshBySpace();
        ASSERT_EQ(entries.size(), 1u) << c.name;
        EXPECT_EQ(entries.begin()->first.spaceID(), c.expectedSpace) << c.name;
        EXPECT_TRUE(entries.begin()->second.isCaptureInFlight) << c.name;
        const bool moved = c.expectedSpace == 9;
        EXPECT_EQ(entries.begin()->second.nextRefreshReason,
                  moved ? std::optional(Reason::spaceIDReplacement) : std::nullopt)
            << c.name;
    }
}

TEST(WindowPreviewRefreshSchedulerTest, RemapOverwritesAnEntryAtTheNewID) {
    OSDGridWindowPreviewRefreshScheduler scheduler;
    scheduler.scheduleNextRefresh(key("A", "A", 1), Reason::wake, kNow);
    scheduler.scheduleNextRefresh(key("A", "A", 9), Reason::periodic, kNow + 50);
    scheduler.reconcile({display("A", {9}, {{1, 9}})}, {});
    ASSERT_EQ(scheduler.scheduledRefreshBySpace().size(), 1u);
    EXPECT_EQ(nextOf(scheduler, key("A", "A", 9)), kNow);
}

TEST(WindowPreviewRefreshSchedulerTest, PrimeSeedsAnEmptyScheduleByTiming) {
    struct Case {
        const char* name;
        Timing timing;
        std::optional<TimeInterval> next;
        std::optional<Reason> reason;
    };
    const Case cases[] = {
        {"performant", Timing::performant, std::nullopt, std::nullopt},
        {"optimised", Timing::optimised, kNow + 15, Reason::periodic},
        {"power", Timing::power, kNow + 5, Reason::periodic},
    };
    for (const auto& c : cases) {
        OSDGridWindowPreviewRefreshScheduler scheduler;
        auto requests = scheduler.primeWindowPreviewsIfNeeded({display("A", {1, 2})}, {}, c.timing,
                                                              kNow, fixed(0.5));
        ASSERT_EQ(requests.size(), 2u) << c.name;
        EXPECT_EQ(requests[0],
                  (WindowPreviewRefreshRequest{key("A", "A", 1), Reason::startupPrime}))
            << c.name;
        const auto& entry = scheduler.scheduledRefreshBySpace().at(key("A", "A", 2));
        EXPECT_EQ(entry.nextRefresh, c.next) << c.name;
        EXPECT_EQ(entry.nextRefreshReason, c.reason) << c.name;
        EXPECT_TRUE(
            scheduler
                .primeWindowPreviewsIfNeeded({display("A", {1, 2})}, {}, c.timing, kNow, fixed(0.5))
                .empty())
            << c.name;
    }
}

TEST(WindowPreviewRefreshSchedulerTest, CompletionRecordsTheCaptureAndTheNextPeriodicOne) {
    struct Case {
        const char* name;
        bool stored;
        Timing timing;
        std::optional<TimeInterval> lastRefresh;
        std::optional<TimeInterval> next;
    };
    const Case cases[] = {
        {"stored, power", true, Timing::power, kNow + 1, kNow + 1 + 2.5},
        {"not stored keeps the last date", false, Timing::optimised, std::nullopt, kNow + 1 + 7.5},
        {"performant schedules nothing", true, Timing::performant, kNow + 1, std::nullopt},
    };
    for (const auto& c : cases) {
        OSDGridWindowPreviewRefreshScheduler scheduler;
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
}

TEST(WindowPreviewRefreshSchedulerTest, CaptureNotesWithoutAnEntryChangeNothing) {
    OSDGridWindowPreviewRefreshScheduler scheduler;
    scheduler.noteCaptureRequested({key("A", "A", 1), Reason::wake});
    scheduler.noteCaptureCompleted(key("A", "A", 1), Reason::wake, true, Timing::power, kNow,
                                   fixed(0));
    EXPECT_TRUE(scheduler.scheduledRefreshBySpace().empty());
}

TEST(WindowPreviewRefreshSchedulerTest, DueRequestsSkipRunningAndFutureEntriesInKeyOrder) {
    OSDGridWindowPreviewRefreshScheduler scheduler;
    scheduler.scheduleNextRefresh(key("A", "B", 2), Reason::wake, kNow);
    scheduler.scheduleNextRefresh(key("B", "A", 7), Reason::wake, kNow - 1);
    scheduler.scheduleNextRefresh(key("A", "A", 3), Reason::wake, kNow);
    scheduler.scheduleNextRefresh(key("A", "A", 1), Reason::wake, kNow + 1);
    scheduler.scheduleNextRefresh(key("A", "B", 1), Reason::wake, kNow);
    scheduler.noteCaptureRequested({key("A", "B", 1), Reason::wake});
    scheduler.scheduleNextRefresh(key("A", "B", 1), Reason::wake, kNow);

    std::vector<WindowPreviewRefreshKey> due;
    for (const auto& request : scheduler.dueRefreshRequests(kNow)) {
        due.push_back(request.key);
    }
    EXPECT_EQ(due, (std::vector{key("A", "A", 3), key("B", "A", 7), key("A", "B", 2)}));
}

TEST(WindowPreviewRefreshSchedulerTest, APrimedEntryFallsDueAsPeriodic) {
    OSDGridWindowPreviewRefreshScheduler scheduler;
    scheduler.primeWindowPreviewsIfNeeded({display("A", {1})}, {}, Timing::optimised, kNow,
                                          fixed(0));
    auto due = scheduler.dueRefreshRequests(kNow);
    ASSERT_EQ(due.size(), 1u);
    EXPECT_EQ(due[0].reason, Reason::periodic);
}

TEST(WindowPreviewRefreshSchedulerTest, DeadlineIgnoresEntriesWhoseCaptureRuns) {
    OSDGridWindowPreviewRefreshScheduler scheduler;
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
}

} // namespace
} // namespace tessarin
