#include "Core/Presentation/OSDPresentationMetrics.h"

#include "Support/MainQueue.h"
#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

struct SwitchCase {
    const char* name;
    std::optional<std::string> value;
    bool enables;
};

TEST(OSDPresentationMetricsSwitchTest, OnlyTheFourWordsTrimmedAndInAnyCaseSwitchMetricsOn) {
    const SwitchCase cases[] = {
        {"padded Yes", " Yes\n", true}, {"ON", "ON", true},   {"two", "2", false},
        {"enabled", "enabled", false},  {"empty", "", false}, {"absent", std::nullopt, false}};
    for (const SwitchCase& c : cases) {
        EXPECT_EQ(OSDPresentationMetrics::switchValueEnablesMetrics(c.value), c.enables) << c.name;
    }
}

class OSDPresentationMetricsTest : public ::testing::Test {
protected:
    std::vector<std::string> lines() { return logs.messages(OSDPresentationMetrics::category); }

    ScopedLogCapture logs;
    VirtualMainQueue queue;
    ScopedMainQueue currentQueue{queue};
    ScopedOSDPresentationMetrics metricsOn{true};
};

TEST_F(OSDPresentationMetricsTest, MarksCarryTimeSinceTheTriggerAndSinceThePreviousMark) {
    const double receivedAt = queue.absoluteTime();
    queue.advance(0.00042);
    const auto trace = OSDPresentationMetrics::start("hotkey", receivedAt, [] {
        return OSDPresentationMetrics::Fields{{"action", "right"}, {"keyCode", "124"}};
    });
    ASSERT_TRUE(trace);
    queue.advance(0.010);
    OSDPresentationMetrics::mark("space.switch.deferred", trace);
    const auto next = OSDPresentationMetrics::newTrace("workspace-hotkey", receivedAt);
    ASSERT_TRUE(next);

    const std::string id = std::to_string(trace->id);
    EXPECT_EQ(lines(),
              (std::vector<std::string>{"event=hotkey.handler.started action=right deltaMs=0.42 "
                                        "elapsedMs=0.42 keyCode=124 origin=hotkey trace=" +
                                            id,
                                        "event=space.switch.deferred deltaMs=10.00 elapsedMs=10.42 "
                                        "origin=hotkey trace=" +
                                            id}));
    EXPECT_EQ(next->id, trace->id + 1);
}

TEST_F(OSDPresentationMetricsTest, TheTracerOwnsTheFourCommonKeysAndEmitAddsNone) {
    auto trace = OSDPresentationMetrics::newTrace("hotkey", queue.absoluteTime());
    OSDPresentationMetrics::mark("step", trace, [] {
        return OSDPresentationMetrics::Fields{{"trace", "forged"}, {"deltaMs", "-1"}, {"Z", "z"}};
    });
    OSDPresentationMetrics::emit("osd.render.pending", {});
    EXPECT_EQ(lines(), (std::vector<std::string>{"event=step Z=z deltaMs=0.00 elapsedMs=0.00 "
                                                 "origin=hotkey trace=" +
                                                     std::to_string(trace->id),
                                                 "event=osd.render.pending"}));
}

TEST_F(OSDPresentationMetricsTest, NothingIsWrittenWithoutATraceOrWithTheLevelOff) {
    OSDPresentationMetrics::mark("orphan", nullptr, [] {
        ADD_FAILURE() << "fields built for a mark without a trace";
        return OSDPresentationMetrics::Fields{};
    });
    Logger::setLevelEnabled(LogLevel::notice, false);
    OSDPresentationMetrics::emit("muted", {});
    Logger::setLevelEnabled(LogLevel::notice, true);
    EXPECT_TRUE(lines().empty());
}

TEST(OSDPresentationMetricsOffTest, StartsNoTraceAndBuildsNoFields) {
    ScopedOSDPresentationMetrics metricsOff{false};
    ScopedLogCapture logs;
    const auto trace = OSDPresentationMetrics::start("hotkey", 0, [] {
        ADD_FAILURE() << "fields built with metrics off";
        return OSDPresentationMetrics::Fields{};
    });
    OSDPresentationMetrics::emit("direct", {});
    EXPECT_EQ(trace, nullptr);
    EXPECT_TRUE(logs.messages(OSDPresentationMetrics::category).empty());
}

} // namespace
} // namespace tessarin
