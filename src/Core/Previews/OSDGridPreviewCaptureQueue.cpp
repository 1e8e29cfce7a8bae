#include "Core/Previews/OSDGridPreviewCaptureQueue.h"

#include "Support/MainQueue.h"

#include <memory>

namespace tessarin {

void OSDGridPreviewCaptureQueue::add(Capture capture, std::function<void()> expire) {
    waiting_.push_back({std::move(capture), std::move(expire)});
    if (!running_ && !starting_) {
        run();
    }
}

void OSDGridPreviewCaptureQueue::run() {
    starting_ = true;
    while (!running_ && !waiting_.empty()) {
        Waiting next = std::move(waiting_.front());
        waiting_.pop_front();
        running_ = true;
        // A capture ends once: by its own end or by its deadline, whichever comes first.
        const auto ended = std::make_shared<bool>(false);
        expiry_.cancel();
        expiry_ =
            MainQueue::main().asyncAfter(deadline_, [this, ended, expire = std::move(next.expire)] {
                if (*ended) {
                    return;
                }
                *ended = true;
                if (expire) {
                    expire();
                }
                finish();
            });
        next.capture([this, ended] {
            if (!*ended) {
                *ended = true;
                expiry_.cancel();
                finish();
            }
        });
    }
    starting_ = false;
    if (!running_ && onIdle_) {
        onIdle_();
    }
}

void OSDGridPreviewCaptureQueue::finish() {
    running_ = false;
    // A capture that ended while it was being started leaves the next one to the loop in run().
    if (!starting_) {
        run();
    }
}

} // namespace tessarin
