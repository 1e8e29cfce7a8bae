#include "Hotkeys/Trackpad/TrackpadFrameStream.h"

#include "Support/MainQueue.h"

#include <utility>

namespace tessarin {

struct TrackpadFrameStream::State {
    explicit State(MainQueue& q) : queue(q) {}
    MainQueue& queue;
    std::mutex mutex;
    std::deque<Frame> frames;
    bool finished = false;
    bool terminated = false;
    bool drainScheduled = false;
    bool finishDelivered = false;
    // Main queue only.
    std::function<void(Frame)> onFrame;
    std::function<void()> onFinished;
};

TrackpadFrameStream::TrackpadFrameStream(MainQueue& queue)
    : state_(std::make_shared<State>(queue)) {}

TrackpadFrameStream::~TrackpadFrameStream() {
    {
        std::lock_guard lock(state_->mutex);
        state_->terminated = true;
        state_->frames.clear();
    }
    state_->onFrame = nullptr;
    state_->onFinished = nullptr;
    if (onTermination_) {
        onTermination_();
    }
}

void TrackpadFrameStream::yield(Frame frame) {
    bool schedule = false;
    {
        std::lock_guard lock(state_->mutex);
        if (state_->finished || state_->terminated) {
            return;
        }
        state_->frames.push_back(std::move(frame));
        schedule = !std::exchange(state_->drainScheduled, true);
    }
    if (schedule) {
        state_->queue.async([state = state_] { drain(state); });
    }
}

void TrackpadFrameStream::finish() {
    bool schedule = false;
    {
        std::lock_guard lock(state_->mutex);
        if (state_->finished || state_->terminated) {
            return;
        }
        state_->finished = true;
        schedule = !std::exchange(state_->drainScheduled, true);
    }
    if (schedule) {
        state_->queue.async([state = state_] { drain(state); });
    }
}

void TrackpadFrameStream::consume(std::function<void(Frame)> onFrame,
                                  std::function<void()> onFinished) {
    state_->onFrame = std::move(onFrame);
    state_->onFinished = std::move(onFinished);
}

void TrackpadFrameStream::setOnTermination(std::function<void()> onTermination) {
    onTermination_ = std::move(onTermination);
}

void TrackpadFrameStream::drain(const std::shared_ptr<State>& state) {
    for (;;) {
        Frame frame;
        bool deliverFinish = false;
        {
            std::lock_guard lock(state->mutex);
            if (state->terminated) {
                return;
            }
            if (state->frames.empty()) {
                state->drainScheduled = false;
                deliverFinish = state->finished && !std::exchange(state->finishDelivered, true);
                if (!deliverFinish) {
                    return;
                }
            } else {
                frame = std::move(state->frames.front());
                state->frames.pop_front();
            }
        }
        if (deliverFinish) {
            if (auto onFinished = state->onFinished) {
                onFinished();
            }
            return;
        }
        // Copied, so a consumer that ends the stream from inside its call stays valid.
        if (auto onFrame = state->onFrame) {
            onFrame(std::move(frame));
        }
    }
}

} // namespace tessarin
