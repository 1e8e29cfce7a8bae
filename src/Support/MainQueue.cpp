#include "Support/MainQueue.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace tessarin {

namespace {
std::atomic<MainQueue*> installedQueue{nullptr};

struct RepeatingState {
    MainQueue* queue;
    TimeInterval interval;
    std::function<void()> tick;
    WorkItem handle;
};

void scheduleNextTick(const std::shared_ptr<RepeatingState>& state) {
    // The pending tick owns the state; a cancelled handle ends the chain and frees it.
    state->queue->asyncAfter(state->interval, WorkItem([state] {
                                 if (state->handle.isCancelled()) {
                                     return;
                                 }
                                 state->tick();
                                 if (!state->handle.isCancelled()) {
                                     scheduleNextTick(state);
                                 }
                             }));
}
} // namespace

WorkItem MainQueue::asyncAfter(TimeInterval delay, std::function<void()> work) {
    WorkItem item(std::move(work));
    asyncAfter(delay, item);
    return item;
}

WorkItem MainQueue::scheduleRepeating(TimeInterval interval, std::function<void()> tick) {
    auto state = std::make_shared<RepeatingState>();
    state->queue = this;
    state->interval = interval > 0 ? interval : 0.001;
    state->tick = std::move(tick);
    state->handle = WorkItem(std::function<void()>{});
    scheduleNextTick(state);
    return state->handle;
}

MainQueue& MainQueue::main() {
    MainQueue* queue = installedQueue.load();
    if (queue == nullptr) {
        std::fprintf(stderr, "Tessarin: no main queue is installed\n");
        std::abort();
    }
    return *queue;
}

MainQueue* MainQueue::installed() {
    return installedQueue.load();
}

void MainQueue::install(MainQueue* queue) {
    installedQueue.store(queue);
}

ScopedMainQueue::ScopedMainQueue(MainQueue& queue) : previous_(MainQueue::installed()) {
    MainQueue::install(&queue);
}

ScopedMainQueue::~ScopedMainQueue() {
    MainQueue::install(previous_);
}

} // namespace tessarin
