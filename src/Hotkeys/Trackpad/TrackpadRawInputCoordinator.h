#pragma once

#include "Hotkeys/Trackpad/TrackpadRawContactSnapshotStore.h"
#include "Hotkeys/Trackpad/TrackpadRawInputSource.h"
#include "Hotkeys/Trackpad/TrackpadRawSwipeRecognizer.h"
#include "Hotkeys/Trackpad/TrackpadThreeFingerTapRecognizer.h"
#include "Model/Settings/TrackpadNavigationFingerCount.h"
#include "Support/Logger.h"
#include "Support/Published.h"
#include "Support/WorkItem.h"

#include <functional>
#include <memory>
#include <vector>

namespace tessarin {

class MainQueue;
class WorkspaceNotificationCenter;

enum class TrackpadRawInputState { starting, available, unavailable };
const char* name(TrackpadRawInputState state);

// Owns the raw trackpad input: starts and stops the listener, runs both recognisers on every
// frame on the main queue, reports swipes, rejections, gesture activity and taps through the
// handlers, keeps the contact snapshot the Dock-swipe tap reads, and restarts after a wake.
class TrackpadRawInputCoordinator {
public:
    using SwipeHandler = std::function<void(TessarinDirection, const TrackpadRawSwipeResult&)>;
    using ActivityHandler = std::function<void(TrackpadSwipeGestureActivity)>;
    using RejectionHandler = std::function<void(const TrackpadRawSwipeResult&)>;
    using TapHandler = std::function<void()>;

    // Posted on `notifications`, when given, at every change of `state`.
    static constexpr const char* stateDidChangeNotification =
        "TessarinTrackpadRawInputStateDidChange";

    TrackpadRawInputCoordinator(std::unique_ptr<TrackpadRawInputSource> source, MainQueue& queue,
                                std::function<double()> uptime, std::vector<double> retryDelays,
                                WorkspaceNotificationCenter* notifications = nullptr);
    ~TrackpadRawInputCoordinator();
    TrackpadRawInputCoordinator(const TrackpadRawInputCoordinator&) = delete;
    TrackpadRawInputCoordinator& operator=(const TrackpadRawInputCoordinator&) = delete;

    // Over the host's framework, the queue's uptime, and retries 0.5, 2 and 5 s after a wake.
    static TrackpadRawInputCoordinator& shared();

    // Changes only when the state differs.
    Published<TrackpadRawInputState> state{TrackpadRawInputState::unavailable};
    TrackpadRawContactSnapshotStore& contactSnapshot() { return *contactSnapshot_; }
    std::shared_ptr<TrackpadRawContactSnapshotStore> sharedContactSnapshot() {
        return contactSnapshot_;
    }

    // Configuration, followed by `startIfNeeded`.
    bool desiredEnabled = false;
    TrackpadNavigationFingerCount fingerCount = TrackpadNavigationFingerCount::three;
    bool reverseDirection = false;
    SwipeHandler swipeHandler;
    ActivityHandler gestureActivityHandler;
    RejectionHandler rejectionHandler;
    TapHandler tapHandler;

    // Both recognisers back to idle, for the configured finger count.
    void resetRecognizers();
    void startIfNeeded();
    void stop();
    void cancelCurrentGesture();
    void restartAfterWake();
    // Only the tap recogniser back to idle: a tap already begun no longer counts.
    void resetTapRecognizer() { tapRecognizer_.reset(); }

    void process(const std::vector<TrackpadTouchPoint>& frame);

private:
    void stopListener(bool preservingConfiguration);
    void handleUnexpectedStreamCompletion();
    void releaseListener();
    void publishState(TrackpadRawInputState newState);

    Logger logger_{"TrackpadRawInput"};
    std::shared_ptr<TrackpadRawContactSnapshotStore> contactSnapshot_ =
        std::make_shared<TrackpadRawContactSnapshotStore>();
    std::unique_ptr<TrackpadRawInputSource> source_;
    MainQueue& queue_;
    std::function<double()> uptime_;
    std::vector<double> retryDelays_;
    WorkspaceNotificationCenter* notifications_;
    std::unique_ptr<TrackpadFrameStream> listeningStream_;
    std::vector<WorkItem> retryTasks_;
    TrackpadRawSwipeRecognizer swipeRecognizer_{3};
    TrackpadThreeFingerTapRecognizer tapRecognizer_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace tessarin
