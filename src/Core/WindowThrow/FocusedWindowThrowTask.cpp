#include "Core/WindowThrow/FocusedWindowThrowTask.h"

#include "Platform/Input/Event.h"
#include "Support/MainQueue.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tessarin {

namespace {

int maximumPollCount(const FocusedWindowThrowTask::Timing& timing) {
    if (timing.pollInterval <= 0) {
        return 1;
    }
    // Counted rather than summed, so the last look falls on the timeout and not a step past it.
    const double polls = std::ceil(timing.timeout / timing.pollInterval - 1e-9);
    return std::max(1, static_cast<int>(polls));
}

bool contains(const std::vector<SpaceID>& spaceIDs, SpaceID spaceID) {
    return std::find(spaceIDs.begin(), spaceIDs.end(), spaceID) != spaceIDs.end();
}

} // namespace

std::shared_ptr<FocusedWindowThrowTask>
FocusedWindowThrowTask::start(FocusedWindowThrowRequest request, Collaborators collaborators,
                              Timing timing, MainQueue& queue, Completion completion) {
    auto task = std::make_shared<FocusedWindowThrowTask>(
        std::move(request), std::move(collaborators), timing, queue, std::move(completion));
    task->self_ = task;
    task->begin();
    return task;
}

FocusedWindowThrowTask::FocusedWindowThrowTask(FocusedWindowThrowRequest request,
                                               Collaborators collaborators, Timing timing,
                                               MainQueue& queue, Completion completion)
    : request_(std::move(request)), collaborators_(std::move(collaborators)), timing_(timing),
      queue_(queue), completion_(std::move(completion)),
      lastSpaceIDs_(request_.candidate.sourceSpaceIDs) {}

std::vector<Event>
FocusedWindowThrowTask::keyPressEvents(const FocusedWindowThrowShortcut& shortcut) {
    return {Event::keyboard(shortcut.virtualKeyCode, true, shortcut.modifierFlags),
            Event::keyboard(shortcut.virtualKeyCode, false, shortcut.modifierFlags)};
}

void FocusedWindowThrowTask::begin() {
    startedAt_ = queue_.now();
    if (request_.desktopNumber < kFirstDesktopNumber ||
        request_.desktopNumber > kLastDesktopNumber) {
        finish(FocusedWindowThrowError::desktopNumberOutOfRange);
        return;
    }
    std::optional<FocusedWindowThrowShortcut> shortcut;
    if (collaborators_.switchToDesktopShortcut) {
        shortcut = collaborators_.switchToDesktopShortcut(request_.desktopNumber);
    }
    if (!shortcut) {
        finish(FocusedWindowThrowError::shortcutUnavailable);
        return;
    }
    if (collaborators_.suspendShortcutOverride) {
        collaborators_.suspendShortcutOverride();
    }
    if (!postShortcut(*shortcut)) {
        finish(FocusedWindowThrowError::postFailed);
        return;
    }
    schedulePoll();
}

bool FocusedWindowThrowTask::postShortcut(const FocusedWindowThrowShortcut& shortcut) {
    if (!collaborators_.postEvent) {
        return false;
    }
    // The key up goes out even when the key down failed, so no key is left held.
    bool posted = true;
    for (const Event& event : keyPressEvents(shortcut)) {
        posted = collaborators_.postEvent(event) && posted;
    }
    return posted;
}

void FocusedWindowThrowTask::schedulePoll() {
    std::weak_ptr<FocusedWindowThrowTask> weak = self_;
    pendingPoll_ = queue_.asyncAfter(timing_.pollInterval, [weak] {
        if (auto task = weak.lock()) {
            task->poll();
        }
    });
}

void FocusedWindowThrowTask::poll() {
    if (finished_) {
        return;
    }
    if (collaborators_.isCancelled && collaborators_.isCancelled()) {
        finish(FocusedWindowThrowError::cancelled);
        return;
    }
    ++pollCount_;
    std::optional<std::vector<SpaceID>> spaceIDs;
    if (collaborators_.spacesForWindow) {
        spaceIDs = collaborators_.spacesForWindow(request_.candidate.windowID);
    }
    if (spaceIDs) {
        lastSpaceIDs_ = *spaceIDs;
        if (contains(*spaceIDs, request_.targetSpaceID)) {
            finish(std::nullopt);
            return;
        }
    }
    // A window that cannot be read for a moment (or has closed) is looked at again until the
    // time is up.
    if (pollCount_ >= maximumPollCount(timing_)) {
        finish(FocusedWindowThrowError::timedOut);
        return;
    }
    schedulePoll();
}

void FocusedWindowThrowTask::cancel() {
    finish(FocusedWindowThrowError::cancelled);
}

void FocusedWindowThrowTask::finish(std::optional<FocusedWindowThrowError> error) {
    if (finished_) {
        return;
    }
    finished_ = true;
    pendingPoll_.cancel();
    FocusedWindowThrowResult result;
    result.error = error;
    result.targetSpaceID = request_.targetSpaceID;
    result.finalSpaceIDs = lastSpaceIDs_;
    result.pollCount = pollCount_;
    result.elapsed = queue_.now() - startedAt_;
    result_ = result;
    // The completion may start a newer throw that replaces the owner's handle on this one.
    auto completion = std::move(completion_);
    completion_ = nullptr;
    if (completion) {
        completion(result);
    }
}

} // namespace tessarin
