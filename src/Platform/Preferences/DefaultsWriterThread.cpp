#include "Platform/Preferences/DefaultsWriterThread.h"

#include <utility>

namespace tessarin {

DefaultsWriterThread::DefaultsWriterThread(std::function<bool()> attempt)
    : attempt_(std::move(attempt)), thread_([this] { run(); }) {}

DefaultsWriterThread::~DefaultsWriterThread() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    woken_.notify_all();
    thread_.join();
}

void DefaultsWriterThread::wake() {
    {
        std::lock_guard lock(mutex_);
        work_ = true;
    }
    woken_.notify_all();
}

void DefaultsWriterThread::run() {
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            woken_.wait(lock, [this] { return work_ || stopping_; });
            if (stopping_) {
                return;
            }
            work_ = false;
        }
        bool done = false;
        while (!done) {
            done = attempt_();
            std::lock_guard lock(mutex_);
            if (stopping_) {
                return;
            }
        }
    }
}

} // namespace tessarin
