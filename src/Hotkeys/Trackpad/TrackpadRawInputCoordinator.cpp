#include "Hotkeys/Trackpad/TrackpadRawInputCoordinator.h"

#include "OpenMultitouchSupport/OMSManager.h"
#include "Platform/Host.h"
#include "Platform/WorkspaceNotificationCenter.h"
#include "Support/MainQueue.h"

namespace tessarin {

const char* name(TrackpadRawInputState state) {
    switch (state) {
    case TrackpadRawInputState::starting:
        return "starting";
    case TrackpadRawInputState::available:
        return "available";
    case TrackpadRawInputState::unavailable:
        break;
    }
    return "unavailable";
}

TrackpadRawInputCoordinator::TrackpadRawInputCoordinator(
    std::unique_ptr<TrackpadRawInputSource> source, MainQueue& queue,
    std::function<double()> uptime, std::vector<double> retryDelays,
    WorkspaceNotificationCenter* notifications)
    : source_(std::move(source)), queue_(queue), uptime_(std::move(uptime)),
      retryDelays_(std::move(retryDelays)), notifications_(notifications) {}

TrackpadRawInputCoordinator::~TrackpadRawInputCoordinator() {
    *alive_ = false;
    for (const WorkItem& retry : retryTasks_) {
        retry.cancel();
    }
    listeningStream_.reset();
    if (source_->isListening()) {
        source_->stopListening();
    }
}

TrackpadRawInputCoordinator& TrackpadRawInputCoordinator::shared() {
    return Host::current().sharedInstance<TrackpadRawInputCoordinator>([](Host& host) {
        MainQueue& queue = host.queue();
        return std::make_shared<TrackpadRawInputCoordinator>(
            std::make_unique<OpenMultitouchRawInputSource>(OMSManager::shared(), queue), queue,
            [&queue] { return queue.uptime(); }, std::vector<double>{0.5, 2.0, 5.0},
            &host.notifications());
    });
}

void TrackpadRawInputCoordinator::resetRecognizers() {
    swipeRecognizer_.reset(fingers(fingerCount));
    tapRecognizer_.reset();
}

void TrackpadRawInputCoordinator::startIfNeeded() {
    if (!desiredEnabled) {
        return;
    }
    if (!listeningStream_ && !source_->isListening()) {
        publishState(TrackpadRawInputState::starting);
        auto stream = source_->makeFrameStream();
        if (!source_->startListening()) {
            publishState(TrackpadRawInputState::unavailable);
            return;
        }
        contactSnapshot_->setAvailable(true);
        publishState(TrackpadRawInputState::available);
        stream->consume(
            [this, alive = alive_](TrackpadFrameStream::Frame frame) {
                if (*alive) {
                    process(frame);
                }
            },
            [this, alive = alive_] {
                if (*alive) {
                    handleUnexpectedStreamCompletion();
                }
            });
        listeningStream_ = std::move(stream);
        return;
    }
    if (source_->isListening() && listeningStream_) {
        publishState(TrackpadRawInputState::available);
    }
}

void TrackpadRawInputCoordinator::stop() {
    desiredEnabled = false;
    swipeHandler = nullptr;
    gestureActivityHandler = nullptr;
    rejectionHandler = nullptr;
    tapHandler = nullptr;
    stopListener(false);
}

void TrackpadRawInputCoordinator::cancelCurrentGesture() {
    resetRecognizers();
    contactSnapshot_->clearCurrentCount();
}

void TrackpadRawInputCoordinator::restartAfterWake() {
    if (!desiredEnabled) {
        return;
    }
    stopListener(true);
    for (double delay : retryDelays_) {
        retryTasks_.push_back(queue_.asyncAfter(delay, [this, alive = alive_] {
            if (*alive && desiredEnabled) {
                startIfNeeded();
            }
        }));
    }
}

void TrackpadRawInputCoordinator::process(const std::vector<TrackpadTouchPoint>& frame) {
    const double now = uptime_();
    contactSnapshot_->record(static_cast<int>(frame.size()), now);
    const TrackpadRawSwipeUpdate update = swipeRecognizer_.process(frame, now);
    if (update.activity && gestureActivityHandler) {
        gestureActivityHandler(*update.activity);
    }
    if (update.result) {
        if (update.result->direction) {
            if (swipeHandler) {
                swipeHandler(tessarinDirection(*update.result->direction, reverseDirection),
                             *update.result);
            }
        } else if (rejectionHandler) {
            rejectionHandler(*update.result);
        }
    }
    if (!tapHandler) {
        tapRecognizer_.reset();
    } else if (tapRecognizer_.process(frame, now)) {
        // Copied: the handler may replace itself.
        auto handler = tapHandler;
        handler();
    }
}

void TrackpadRawInputCoordinator::stopListener(bool preservingConfiguration) {
    for (const WorkItem& retry : retryTasks_) {
        retry.cancel();
    }
    retryTasks_.clear();
    listeningStream_.reset();
    releaseListener();
    if (!preservingConfiguration) {
        desiredEnabled = false;
    }
}

void TrackpadRawInputCoordinator::handleUnexpectedStreamCompletion() {
    if (!desiredEnabled) {
        return;
    }
    logger_.error("frame stream ended unexpectedly");
    // Dropped on a later turn: the stream is the caller of this handler.
    queue_.async([stream = std::shared_ptr<TrackpadFrameStream>(std::move(listeningStream_))] {});
    releaseListener();
}

void TrackpadRawInputCoordinator::releaseListener() {
    if (source_->isListening()) {
        source_->stopListening();
    }
    contactSnapshot_->clear();
    resetRecognizers();
    publishState(TrackpadRawInputState::unavailable);
}

void TrackpadRawInputCoordinator::publishState(TrackpadRawInputState newState) {
    if (state.value() == newState) {
        return;
    }
    state.set(newState);
    logger_.notice("state=" + std::string(name(newState)) +
                   " fingerCount=" + std::to_string(fingers(fingerCount)));
    if (notifications_ != nullptr) {
        notifications_->post(stateDidChangeNotification);
    }
}

} // namespace tessarin
