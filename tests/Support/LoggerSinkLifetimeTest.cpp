#include "Support/Logger.h"

#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

namespace tessarin {
namespace {

// A worker is inside the sink when the main thread replaces it (as a ScopedLogCapture does when
// it ends). setSink must not return while that call runs, or its owner may be freed under it.
TEST(LoggerSinkLifetime, ReplacingTheSinkWaitsForACallStillRunningInIt) {
    std::mutex mutex;
    std::condition_variable changed;
    bool entered = false;
    bool replaced = false;
    bool ranAfterReplacement = false;
    const LogSink original = Logger::setSink([&](const LogRecord&) {
        std::unique_lock lock(mutex);
        entered = true;
        changed.notify_all();
        // The wait only bounds the passing case; a setSink that returns early ends it at once.
        changed.wait_for(lock, std::chrono::milliseconds(200), [&] { return replaced; });
        ranAfterReplacement = replaced;
    });
    std::thread worker([] { Logger("test").info("line"); });
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return entered; });
    }

    Logger::setSink(original);
    {
        std::lock_guard lock(mutex);
        replaced = true;
    }
    changed.notify_all();
    worker.join();

    EXPECT_FALSE(ranAfterReplacement);
}

} // namespace
} // namespace tessarin
