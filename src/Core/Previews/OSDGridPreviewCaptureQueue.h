#pragma once

#include <cstddef>
#include <deque>
#include <functional>

namespace tessarin {

// Runs the captures of Spaces one after another, in the order they were added. A Space's window
// captures stay alive until its preview is composed, so one Space at a time bounds the full-size
// captures held at once to those of one Space. Each capture is handed the call that ends it
// (the queue must outlive that call); when the last one has ended, `onIdle` runs. Main thread
// only.
class OSDGridPreviewCaptureQueue {
public:
    using Capture = std::function<void(std::function<void()> finished)>;

    explicit OSDGridPreviewCaptureQueue(std::function<void()> onIdle = {})
        : onIdle_(std::move(onIdle)) {}

    void add(Capture capture);
    bool isRunning() const { return running_; }
    std::size_t waitingCount() const { return waiting_.size(); }

private:
    // Starts captures until one is running or none waits.
    void run();
    void finish();

    std::deque<Capture> waiting_;
    bool running_ = false;
    // While captures are being started: one that ends at once, or one added meanwhile, is left to
    // the loop already running.
    bool starting_ = false;
    std::function<void()> onIdle_;
};

} // namespace tessarin
