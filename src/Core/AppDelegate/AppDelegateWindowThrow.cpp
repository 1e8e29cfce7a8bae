#include "Core/AppDelegate/AppDelegate.h"
#include "Core/WindowThrow/FocusedWindowThrowTask.h"
#include "Hotkeys/PhysicalWindowDragTracker.h"
#include "Model/Seams/MissionControlShortcutOverrideControlling.h"
#include "Model/Spaces/TessarinSpaceDiagnostics.h"
#include "Platform/Host.h"
#include "Platform/Input/Event.h"
#include "Support/MainQueue.h"
#include "TessarinCore/ManagedDisplaySpacesHandle.h"
#include "TessarinCore/SpaceLayout.h"

#include <algorithm>
#include <memory>

namespace tessarin {

namespace {

// Ordinary application windows; the Dock carries nothing else.
constexpr int kNormalWindowLayer = 0;

std::optional<std::vector<SpaceID>> spacesOfWindow(WindowID windowID) {
    TessarinSpaceIDList* list = tessarin_copy_space_ids_for_window_id(windowID);
    if (list == nullptr) {
        return std::nullopt;
    }
    std::vector<SpaceID> spaceIDs(list->spaceIDs, list->spaceIDs + list->count);
    tessarin_release_space_id_list(list);
    return spaceIDs;
}

std::optional<FocusedWindowThrowShortcut> switchToDesktopShortcut(int desktopNumber) {
    TessarinSymbolicShortcut shortcut{};
    if (desktopNumber < 1 ||
        !tessarin_get_switch_to_desktop_shortcut(static_cast<uint32_t>(desktopNumber), &shortcut)) {
        return std::nullopt;
    }
    return FocusedWindowThrowShortcut{shortcut.virtualKeyCode, shortcut.modifierFlags};
}

bool postSyntheticEvent(const Event& event) {
    SystemCalls& calls = Host::current().calls();
    if (!calls.postEvent) {
        return false;
    }
    calls.postEvent(event);
    return true;
}

std::optional<std::vector<ManagedDisplaySpaces>> copyManagedDisplaySpaces() {
    TessarinManagedDisplaySpaces* handle = tessarin_copy_managed_display_spaces();
    if (handle == nullptr) {
        return std::nullopt;
    }
    std::vector<ManagedDisplaySpaces> lists = managedDisplaySpacesContents(*handle);
    tessarin_release_managed_display_spaces(handle);
    return lists;
}

// The Desktop a system shortcut reaches: the n-th user desktop of the display's Spaces (full
// screen Spaces have no number), and the Space it is.
struct DesktopTarget {
    int desktopNumber = 0;
    SpaceID spaceID = 0;
};

std::optional<DesktopTarget> resolveDesktopTarget(const ManagedDisplaySpaces& list,
                                                  uint32_t systemIndex,
                                                  std::optional<SpaceID> spaceID) {
    std::size_t position = systemIndex;
    if (spaceID) {
        const auto found =
            std::find_if(list.spaces.begin(), list.spaces.end(),
                         [&](const ManagedSpace& space) { return space.id64 == *spaceID; });
        if (found == list.spaces.end()) {
            return std::nullopt;
        }
        position = static_cast<std::size_t>(found - list.spaces.begin());
    }
    if (position >= list.spaces.size() || list.spaces[position].type != kSpaceTypeUserDesktop) {
        return std::nullopt;
    }
    const auto desktopsUpToTarget = std::count_if(
        list.spaces.begin(), list.spaces.begin() + static_cast<std::ptrdiff_t>(position) + 1,
        [](const ManagedSpace& space) { return space.type == kSpaceTypeUserDesktop; });
    return DesktopTarget{static_cast<int>(desktopsUpToTarget), list.spaces[position].id64};
}

std::string describe(const std::optional<std::string>& value) {
    return value ? *value : std::string("nil");
}

std::string throwFields(const FocusedWindowThrowRequest& request) {
    return "windowID=" + std::to_string(request.candidate.windowID) +
           " pid=" + std::to_string(request.candidate.ownerPID) +
           " desktop=" + std::to_string(request.desktopNumber) +
           " targetSpaceID=" + std::to_string(request.targetSpaceID) +
           " display=" + describe(request.displayIdentifier);
}

void logThrowEnd(const FocusedWindowThrowRequest& request, const FocusedWindowThrowResult& result) {
    const std::string timing =
        " polls=" + std::to_string(result.pollCount) +
        " elapsedMs=" + formatSecondsAsMilliseconds(result.elapsed) +
        " spaces=" + TessarinSpaceDiagnostics::formatSpaceIDs(result.finalSpaceIDs);
    if (result.landed()) {
        AppDelegate::windowThrowLogger().info("window throw landed " + throwFields(request) +
                                              timing);
        return;
    }
    const std::string line = "window throw failed reason=" + rawValue(*result.error) + " " +
                             throwFields(request) + timing;
    if (result.error == FocusedWindowThrowError::cancelled) {
        AppDelegate::windowThrowLogger().info(line);
    } else {
        AppDelegate::windowThrowLogger().error(line);
    }
}

} // namespace

std::optional<FocusedWindowThrowCandidate> AppDelegate::captureFocusedWindowThrowCandidate() {
    const std::optional<uint64_t> generation = dragTracker.activeDragGeneration();
    if (!generation) {
        return std::nullopt;
    }
    SystemCalls& calls = Host::current().calls();
    if (!calls.cursorLocation || !calls.copyWindowList) {
        return std::nullopt;
    }
    const Point cursor = calls.cursorLocation();
    const auto windows = calls.copyWindowList(
        WindowListOption::onScreenOnly | WindowListOption::excludeDesktopElements, 0);
    if (!windows) {
        return std::nullopt;
    }
    // The pointer holds the window it drags: the frontmost ordinary window under it.
    const auto dragged =
        std::find_if(windows->begin(), windows->end(), [&](const WindowInfo& window) {
            return window.layer == kNormalWindowLayer && window.bounds.contains(cursor);
        });
    if (dragged == windows->end()) {
        return std::nullopt;
    }
    FocusedWindowThrowCandidate candidate;
    candidate.windowID = dragged->number;
    candidate.ownerPID = dragged->ownerPID;
    candidate.mouseDownGeneration = *generation;
    candidate.sourceSpaceIDs = spacesOfWindow(dragged->number).value_or(std::vector<SpaceID>{});
    return candidate;
}

std::optional<FocusedWindowThrowError>
AppDelegate::throwFocusedWindow(const FocusedWindowThrowCandidate& candidate,
                                uint32_t targetSystemIndex, std::optional<SpaceID> targetSpaceID,
                                const std::optional<std::string>& spaceDisplayIdentifier) {
    FocusedWindowThrowRequest request;
    request.candidate = candidate;
    request.displayIdentifier = spaceDisplayIdentifier
                                    ? spaceDisplayIdentifier
                                    : this->spaceDisplayIdentifier(cursorDisplayIdentifier());
    request.targetSpaceID = targetSpaceID.value_or(0);

    const auto refuse = [&](FocusedWindowThrowError error) {
        windowThrowLogger().error("window throw refused reason=" + tessarin::rawValue(error) + " " +
                                  throwFields(request) +
                                  " systemIndex=" + std::to_string(targetSystemIndex));
        return error;
    };
    // A candidate of an earlier press would throw a window the user has already let go of.
    if (!candidate.belongsToDrag(dragTracker.activeDragGeneration())) {
        return refuse(FocusedWindowThrowError::noDraggedWindow);
    }
    // The system's Desktop shortcuts act on the display under the pointer: pressed for a Space
    // of another display, one would carry the window to the wrong display.
    if (request.displayIdentifier != this->spaceDisplayIdentifier(cursorDisplayIdentifier())) {
        return refuse(FocusedWindowThrowError::shortcutUnavailable);
    }
    const auto lists = copyManagedDisplaySpaces();
    const ManagedDisplaySpaces* list =
        lists && request.displayIdentifier
            ? bridge::findSpaceList(*lists, *request.displayIdentifier)
            : nullptr;
    const auto desktop =
        list ? resolveDesktopTarget(*list, targetSystemIndex, targetSpaceID) : std::nullopt;
    if (!desktop) {
        return refuse(FocusedWindowThrowError::desktopNumberOutOfRange);
    }
    request.desktopNumber = desktop->desktopNumber;
    request.targetSpaceID = desktop->spaceID;

    cancelFocusedWindowThrow();
    // A grid left on screen would take the synthetic keys for itself.
    osdWindow_->suspendForSyntheticEventPosting();

    const WorkItem handle([] {});
    focusedWindowThrowTask = handle;

    FocusedWindowThrowTask::Collaborators collaborators;
    collaborators.switchToDesktopShortcut = switchToDesktopShortcut;
    collaborators.suspendShortcutOverride = [this] {
        if (missionControlShortcutOverride) {
            missionControlShortcutOverride->stop();
            focusedWindowThrowStoppedShortcutOverride = true;
        } else {
            windowThrowLogger().error("window throw override tap unavailable");
        }
    };
    collaborators.postEvent = postSyntheticEvent;
    collaborators.spacesForWindow = spacesOfWindow;
    collaborators.isCancelled = [handle] { return handle.isCancelled(); };

    FocusedWindowThrowTask::Timing timing;
    timing.pollInterval = focusedWindowThrowPollInterval;
    timing.timeout = focusedWindowThrowTimeout;

    std::weak_ptr<AppDelegate*> weakSelf = self_;
    auto completion = [weakSelf, request](const FocusedWindowThrowResult& result) {
        logThrowEnd(request, result);
        auto self = weakSelf.lock();
        if (!self || result.error == FocusedWindowThrowError::cancelled) {
            // Whoever cancelled (a newer throw, termination) owns what comes next.
            return;
        }
        AppDelegate& delegate = **self;
        if (delegate.focusedWindowThrowStoppedShortcutOverride) {
            // Also when this throw never got as far as stopping it: a throw it superseded did.
            delegate.focusedWindowThrowStoppedShortcutOverride = false;
            delegate.reregisterAllHotkeys();
        }
        if (result.error == FocusedWindowThrowError::shortcutUnavailable ||
            result.error == FocusedWindowThrowError::postFailed) {
            return;
        }
        // The Dock may have switched the display whether or not the window came along.
        delegate.shell_->refreshSpaceInfo();
        delegate.shell_->refreshPersistentGridOverlay();
        delegate.refreshVisibleGridOSDOverlays(
            VisibleGridOSDOverlayRefreshScope::forDisplayIdentifier(request.displayIdentifier));
    };

    windowThrowLogger().info("window throw started " + throwFields(request) +
                             " systemIndex=" + std::to_string(targetSystemIndex));
    runningFocusedWindowThrow = FocusedWindowThrowTask::start(
        request, std::move(collaborators), timing, MainQueue::main(), std::move(completion));
    const auto& result = runningFocusedWindowThrow->result();
    if (result && !result->landed()) {
        return result->error;
    }
    return std::nullopt;
}

void AppDelegate::cancelFocusedWindowThrow() {
    if (focusedWindowThrowTask) {
        focusedWindowThrowTask->cancel();
    }
    if (runningFocusedWindowThrow) {
        runningFocusedWindowThrow->cancel();
    }
}

} // namespace tessarin
