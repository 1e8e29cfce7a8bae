#include "Core/Previews/OSDGridPreviewCaptureQueue.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tessarin {
namespace {

// Captures that note when they start and keep their ends for the test, or end at once.
struct QueueBench {
    void add(const std::string& name, bool endsAtOnce = false) {
        queue.add([this, name, endsAtOnce](std::function<void()> finished) {
            log.push_back("start " + name);
            if (endsAtOnce) {
                finished();
            } else {
                ends.push_back(std::move(finished));
            }
        });
    }

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
}

} // namespace
} // namespace tessarin
