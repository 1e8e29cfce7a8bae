#include "Support/Published.h"
#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>
#include <thread>

namespace tessarin {
namespace {

// Published has no lock; a debug build stops at the first touch from another thread instead of
// letting the race corrupt its subscribers.
TEST(PublishedThreadCheckDeathTest, SettingFromAnotherThreadAbortsInDebugBuilds) {
#ifdef NDEBUG
    GTEST_SKIP() << "the check exists in debug builds only";
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    VirtualMainQueue queue;
    ScopedMainQueue scope(queue);
    Published<int> revision(0);
    EXPECT_DEATH(std::thread([&] { revision.set(1); }).join(),
                 "Published.*another thread.*main queue");
}

} // namespace
} // namespace tessarin
