#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace tessarin {

// A thread of a store's own for the writes that must wait for another process to let go of the
// file's lock, so the thread that changed a value never waits on another process. After each
// `wake` it runs `attempt` until that answers true (done: written, or failed for a reason
// waiting does not mend); an attempt that answers false has waited a short while for the lock
// and is made again, unless the thread is being stopped.
class DefaultsWriterThread {
public:
    explicit DefaultsWriterThread(std::function<bool()> attempt);
    DefaultsWriterThread(const DefaultsWriterThread&) = delete;
    DefaultsWriterThread& operator=(const DefaultsWriterThread&) = delete;
    // Stops after the attempt under way, and waits for it.
    ~DefaultsWriterThread();

    void wake();

private:
    void run();

    std::function<bool()> attempt_;
    std::mutex mutex_;
    std::condition_variable woken_;
    bool work_ = false;
    bool stopping_ = false;
    std::thread thread_; // last: it starts once everything above is made
};

} // namespace tessarin
