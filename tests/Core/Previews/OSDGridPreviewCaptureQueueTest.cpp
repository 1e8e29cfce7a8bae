#include "Core/Previews/OSDGridPreviewCaptureQueue.h"

#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tessarin {
namespace {

constexpr TimeInterval kDeadline = OSDGridPreviewCaptureQueue::defaultDeadline;

// Captures that note when they start and when they are given up, and keep their ends for the
// test, or end at once.
struct QueueBench {
    void add(const std::string& name, bool endsAtOnce = false) {
        queue.add(
            [this, name, endsAtOnce](std::function<void()> finished) {
                log.push_back("start " + name);
                if (endsAtOnce) {
                    finished();
                } else {
                    ends.push_back(std::move(finished));
                }
            },
            [this, name] { log.push_back("expire " + name); });
    }

    VirtualMainQueue clock;
    ScopedMainQueue current{clock};
    std::vector<std::string> log;
    std::vector<std::function<void()>> ends;
    OSDGridPreviewCaptureQueue queue{[this] { log.emplace_back("idle"); }};
};

TEST(OSDGridPreviewCaptureQueueTest, StartsEachCaptureOnlyOnceTheOneBeforeHasEnded) {
    QueueBench bench;
    bench.add("a");
    bench.add("b", true);
    bench.add("c");
    EXPECT_EQ(bench.log, std::vector<std::string>{"start a"});
    bench.ends.at(0)();
    bench.ends.at(0)(); // a second end of the same capture starts nothing more
    EXPECT_EQ(bench.log, (std::vector<std::string>{"start a", "start b", "start c"}));
    bench.ends.at(1)();
    EXPECT_EQ(bench.log.back(), "idle");
    bench.add("d", true); // ends at once, and the queue is idle again
    EXPECT_EQ(bench.log, (std::vector<std::string>{"start a", "start b", "start c", "idle",
                                                   "start d", "idle"}));
    bench.clock.advance(kDeadline * 2);
    EXPECT_EQ(bench.log.size(), 6u) << "no capture that ended is given up later";
}

// A capture that never ends holds the ones after it only until its deadline; one that waited
// has its whole deadline from its own start, and the end of one given up changes nothing.
TEST(OSDGridPreviewCaptureQueueTest, ACaptureOutlivingItsDeadlineIsGivenUpAndTheNextStarts) {
    QueueBench bench;
    bench.add("a");
    bench.add("b");
    bench.clock.advance(kDeadline - 0.01);
    EXPECT_EQ(bench.log, std::vector<std::string>{"start a"});
    bench.clock.advance(0.02);
    EXPECT_EQ(bench.log, (std::vector<std::string>{"start a", "expire a", "start b"}));
    bench.clock.advance(kDeadline - 0.05);
    bench.ends.at(0)(); // a's late end
    EXPECT_EQ(bench.log.size(), 3u);
    bench.ends.at(1)();
    EXPECT_EQ(bench.log.back(), "idle");
    bench.clock.advance(kDeadline);
    EXPECT_EQ(bench.log, (std::vector<std::string>{"start a", "expire a", "start b", "idle"}));
}

} // namespace
} // namespace tessarin
