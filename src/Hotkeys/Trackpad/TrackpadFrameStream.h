#pragma once

#include "Hotkeys/Trackpad/TrackpadSwipeTypes.h"

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace tessarin {

class MainQueue;

// An unbounded, ordered channel of raw frames from the framework's thread to the main queue.
// The producer yields from any thread; the consumer hears every frame in order on the main
// queue, then `onFinished` once after a `finish`. Destroying the stream ends delivery at once
// (frames still buffered are dropped) and runs the termination handler, which stops the feed.
class TrackpadFrameStream {
public:
    using Frame = std::vector<TrackpadTouchPoint>;

    explicit TrackpadFrameStream(MainQueue& queue);
    ~TrackpadFrameStream();
    TrackpadFrameStream(const TrackpadFrameStream&) = delete;
    TrackpadFrameStream& operator=(const TrackpadFrameStream&) = delete;

    // Producer side, any thread. Yields after `finish` or termination are dropped.
    void yield(Frame frame);
    void finish();

    // Main queue.
    void consume(std::function<void(Frame)> onFrame, std::function<void()> onFinished);
    void setOnTermination(std::function<void()> onTermination);

private:
    struct State;
    static void drain(const std::shared_ptr<State>& state);
    std::shared_ptr<State> state_;
    std::function<void()> onTermination_;
};

} // namespace tessarin
