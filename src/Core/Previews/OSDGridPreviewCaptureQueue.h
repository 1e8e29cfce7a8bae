#pragma once

#include "Support/Clock.h"
#include "Support/WorkItem.h"

#include <cstddef>
#include <deque>
#include <functional>

namespace tessarin {

// Runs the captures of Spaces one after another, in the order they were added. A Space's window
// captures stay alive until its preview is composed, so one Space at a time bounds the full-size
// captures held at once to those of one Space. Each capture is handed the call that ends it
// (the queue must outlive that call); when the last one has ended, `onIdle` runs.
//
// A capture that has not ended `deadline` seconds after it started is given up: its `expire`
// runs in place of its end, and the next one starts; its own end, should it still come, is
// ignored. A capture waiting its turn has no deadline running. Main thread only.
class OSDGridPreviewCaptureQueue {
public:
    using Capture = std::function<void(std::function<void()> finished)>;

    // Ample for the sixteen window captures and the composition of one Space.
    static constexpr TimeInterval defaultDeadline = 15;

    explicit OSDGridPreviewCaptureQueue(std::function<void()> onIdle = {},
                                        TimeInterval deadline = defaultDeadline)
        : onIdle_(std::move(onIdle)), deadline_(deadline) {}
    ~OSDGridPreviewCaptureQueue() { expiry_.cancel(); }
    OSDGridPreviewCaptureQueue(const OSDGridPreviewCaptureQueue&) = delete;
    OSDGridPreviewCaptureQueue& operator=(const OSDGridPreviewCaptureQueue&) = delete;

    void add(Capture capture, std::function<void()> expire = {});
    bool isRunning() const { return running_; }
    std::size_t waitingCount() const { return waiting_.size(); }

private:
    struct Waiting {
        Capture capture;
        std::function<void()> expire;
    };
    // Starts captures until one is running or none waits.
    void run();
    void finish();

    std::deque<Waiting> waiting_;
    bool running_ = false;
    // While captures are being started: one that ends at once, or one added meanwhile, is left to
    // the loop already running.
    bool starting_ = false;
    std::function<void()> onIdle_;
    TimeInterval deadline_;
    WorkItem expiry_; // the running capture's deadline
};

} // namespace tessarin
