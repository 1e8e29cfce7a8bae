#include "Core/Previews/OSDGridPreviewCaptureQueue.h"

#include <memory>

namespace tessarin {

void OSDGridPreviewCaptureQueue::add(Capture capture) {
    waiting_.push_back(std::move(capture));
    if (!running_ && !starting_) {
        run();
    }
}

void OSDGridPreviewCaptureQueue::run() {
    starting_ = true;
    while (!running_ && !waiting_.empty()) {
        Capture capture = std::move(waiting_.front());
        waiting_.pop_front();
        running_ = true;
        // A capture ends once, however often its end is called.
        capture([this, ended = std::make_shared<bool>(false)] {
            if (!*ended) {
                *ended = true;
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
