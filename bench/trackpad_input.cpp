// Cost of raw trackpad input on the main queue: every frame of the framework (about 90 a second
// while fingers touch) goes through the coordinator, and every Dock-swipe event waits in the
// window server while the tap's callback decides.
#include "Hotkeys/Trackpad/TrackpadRawInputCoordinator.h"
#include "Hotkeys/Trackpad/TrackpadSwipeEventTap.h"
#include "Platform/DockSwipeGesture.h"
#include "Platform/Host.h"
#include "Platform/Input/Event.h"
#include "Platform/Scenario.h"
#include "Support/VirtualMainQueue.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tessarin;

// Frames are handed to `process` directly; the source only has to exist.
class SilentSource final : public TrackpadRawInputSource {
public:
    bool isListening() const override { return false; }
    bool startListening() override { return false; }
    void stopListening() override {}
    std::unique_ptr<TrackpadFrameStream> makeFrameStream() override { return nullptr; }
};

void BM_coordinatorThreeContactFrame(benchmark::State& state) {
    VirtualMainQueue queue;
    ScopedMainQueue scoped(queue);
    TrackpadRawInputCoordinator coordinator(std::make_unique<SilentSource>(), queue,
                                            [&queue] { return queue.uptime(); }, {});
    int swipes = 0;
    coordinator.swipeHandler = [&swipes](TessarinDirection, const TrackpadRawSwipeResult&) {
        ++swipes;
    };
    coordinator.tapHandler = [] {};
    std::vector<TrackpadTouchPoint> frame{{1, 0.3F, 0.5F}, {2, 0.4F, 0.5F}, {3, 0.5F, 0.5F}};
    coordinator.process(frame); // the gesture begins; every further frame continues it
    for (auto _ : state) {
        for (TrackpadTouchPoint& touch : frame) {
            touch.x += 1e-6F;
        }
        coordinator.process(frame);
    }
    benchmark::DoNotOptimize(swipes);
}
BENCHMARK(BM_coordinatorThreeContactFrame);

void BM_swipeTapCallback(benchmark::State& state) {
    VirtualMainQueue queue;
    ScopedMainQueue scoped(queue);
    Host host(Scenario::defaultScenario(), queue);
    ScopedCurrentHost current(host);
    TrackpadSwipeEventTap tap(host.events(), queue);
    tap.contactSnapshot = std::make_shared<TrackpadRawContactSnapshotStore>();
    tap.contactSnapshot->setAvailable(true);
    tap.contactSnapshot->record(3, queue.uptime());
    Event event;
    event.type = EventType::dockGesture;
    event.setIntegerValue(EventField::gestureHIDType, kDockSwipeHIDType);
    event.setIntegerValue(EventField::gestureSwipeMotion, GestureSwipeMotion::horizontal);
    event.setIntegerValue(EventField::gesturePhase, GesturePhase::changed);
    event.setDoubleValue(EventField::gestureSwipeProgress, 0.4);
    for (auto _ : state) {
        auto passed = tap.handleEvent(EventType::dockGesture, event);
        benchmark::DoNotOptimize(passed);
    }
}
BENCHMARK(BM_swipeTapCallback);

} // namespace
