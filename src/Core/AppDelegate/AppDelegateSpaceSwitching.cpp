// Switch requests: a move in a direction, a jump to a visual index, the jump back to the last
// Space. Each resolves the display and its layout, then posts, defers to a preview, or throws the
// dragged window.

#include "Core/AppDelegate/AppDelegate.h"
#include "Core/Presentation/OSDPresentationMetrics.h"
#include "Hotkeys/PhysicalWindowDragTracker.h"
#include "Model/Spaces/DisplaySpaceNavigator.h"
#include "Platform/Host.h"
#include "Platform/Input/HotKeyCenter.h"
#include "Platform/SystemServices.h"
#include "Support/MainQueue.h"

#include <algorithm>
#include <chrono>
#include <limits>

namespace tessarin {

namespace {

double nowSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

std::string milliseconds(double since) {
    return formatSecondsAsMilliseconds(nowSeconds() - since);
}

std::string text(const std::optional<std::string>& value) {
    return value ? *value : std::string("nil");
}

std::string text(bool value) {
    return value ? "true" : "false";
}

// An index past any layout still means "the last Space", never a negative one.
int clampedVisualIndex(uint32_t index) {
    return static_cast<int>(std::min<uint32_t>(index, std::numeric_limits<int>::max()));
}

void beep() {
    Host::current().system().beep();
}

} // namespace

// ---------------------------------------------------------------- Resolution

AppDelegate::SwitchResolution
AppDelegate::resolveSwitchRequest(const std::optional<std::string>& displayIdentifier) {
    SwitchResolution resolution;
    double mark = nowSeconds();
    const auto lap = [&mark] {
        const double now = nowSeconds();
        const double elapsed = now - mark;
        mark = now;
        return elapsed;
    };
    resolution.placementDisplay = displayIdentifier ? displayIdentifier : cursorDisplayIdentifier();
    resolution.placementSeconds = lap();
    resolution.spaceDisplay = spaceDisplayIdentifier(resolution.placementDisplay);
    if (displaysHaveSeparateSpaces()) {
        resolution.settingsDisplay = resolution.placementDisplay;
    }
    resolution.topologySeconds = lap();
    // Predicting reads, so that a second press before the Dock has finished moves on from the
    // Space the first one is heading to.
    resolution.info = resolveLiveSpaceInfo(resolution.spaceDisplay, SpaceInfoReading::predicting);
    resolution.infoSeconds = lap();
    if (!resolution.info || !resolution.spaceDisplay) {
        return resolution;
    }
    resolution.resolved = resolveDisplaySpaceOrderSnapshotWithDescriptors(
        resolution.spaceDisplay, resolution.info->spaceCount);
    resolution.snapshotSeconds = lap();
    if (resolution.resolved) {
        DisplaySpaceOrderSnapshot& snapshot = resolution.resolved->displaySnapshot;
        const SpaceID predicted = resolution.info->currentSpaceID;
        if (predicted != snapshot.activeSpaceID &&
            snapshot.stableSpaceIDToVisualIndex.count(predicted) > 0) {
            snapshot = DisplaySpaceOrderSnapshot::make(
                snapshot.displayIdentifier, snapshot.systemOrderedSpaceIDs, snapshot.visualSlots,
                predicted, snapshot.spaceIDReplacements);
        }
    }
    return resolution;
}

OSDDismissalBehavior
AppDelegate::switchDismissalBehavior(const std::optional<HotkeyCombination>& trigger) const {
    if (trigger) {
        const OSDDismissalBehavior behavior =
            OSDDismissalBehavior::untilModifiersReleased(eventFlags(trigger->modifiers));
        if (!behavior.hidesAfterDisplayTime()) {
            return behavior;
        }
    }
    return OSDDismissalBehavior::timer();
}

bool AppDelegate::shouldDeferSwitch(const std::optional<HotkeyCombination>& trigger,
                                    const std::optional<std::string>& settingsDisplay) const {
    // Only a held modifier can be released to commit, and only a shown grid can preview.
    if (!trigger || switchDismissalBehavior(trigger).kind() !=
                        OSDDismissalBehavior::Kind::untilModifiersReleased) {
        return false;
    }
    return gridModeStore.isEnabled.value() &&
           gridModeStore.switchOnModifierRelease(settingsDisplay) &&
           presentationStore.snapshot(settingsDisplay).osd.isEnabled;
}

bool AppDelegate::postAndVerifySwitch(uint32_t systemIndex, std::optional<SpaceID> targetSpaceID,
                                      const std::optional<std::string>& spaceDisplay,
                                      const std::optional<DisplaySpaceOrderSnapshot>& snapshot,
                                      SpaceSwitchVerificationContext context) {
    const auto liveBefore = resolveLiveSpaceInfo(spaceDisplay, SpaceInfoReading::live);
    const uint32_t postVariant = tessarin_current_space_switch_post_variant();
    prepareFocusForSpaceSwitch(targetSpaceID, snapshot);
    if (!postSpaceSwitch(systemIndex, spaceDisplay)) {
        return false;
    }
    const auto attempt = beginSpaceSwitchVerificationAttempt(spaceDisplay);
    if (targetSpaceID) {
        scheduleSpaceSwitchVerification(*targetSpaceID, attempt, liveBefore, postVariant, context);
    }
    return true;
}

// ---------------------------------------------------------------- Directional move

void AppDelegate::performSpaceSwitch(TessarinDirection direction,
                                     const std::optional<std::string>& displayIdentifier,
                                     const std::optional<HotkeyCombination>& triggerCombination,
                                     const OSDPresentationMetricsTraceRef& metricsTrace) {
    mark("space.switch.started", metricsTrace, [&] {
        return OSDPresentationMetricsFields{
            {"direction", OSDPresentationMetrics::directionValue(direction)},
            {"explicitDisplay", text(displayIdentifier)}};
    });
    const double accessStart = nowSeconds();
    if (!guardSpaceControlAccess()) {
        mark("space.switch.aborted", metricsTrace, [&] {
            return OSDPresentationMetricsFields{{"reason", "access"},
                                                {"accessMs", milliseconds(accessStart)}};
        });
        return;
    }

    const double resolveStart = nowSeconds();
    const SwitchResolution resolution = resolveSwitchRequest(displayIdentifier);
    mark("space.switch.resolved", metricsTrace, [&] {
        return OSDPresentationMetricsFields{
            {"placementDisplay", text(resolution.placementDisplay)},
            {"spaceDisplay", text(resolution.spaceDisplay)},
            {"settingsDisplay", text(resolution.settingsDisplay)},
            {"hasInfo", text(resolution.info.has_value())},
            {"hasSnapshot", text(resolution.resolved.has_value())},
            {"spaceCount", resolution.info ? std::to_string(resolution.info->spaceCount) : "nil"},
            {"placementMs", formatSecondsAsMilliseconds(resolution.placementSeconds)},
            {"topologyMs", formatSecondsAsMilliseconds(resolution.topologySeconds)},
            {"infoMs", formatSecondsAsMilliseconds(resolution.infoSeconds)},
            {"snapshotMs", formatSecondsAsMilliseconds(resolution.snapshotSeconds)},
            {"resolveMs", milliseconds(resolveStart)}};
    });
    if (!resolution.info) {
        mark("space.switch.aborted", metricsTrace, [] {
            return OSDPresentationMetricsFields{{"reason", "missing-info-grid-mode"}};
        });
        beep();
        return;
    }

    if (shouldDeferSwitch(triggerCombination, resolution.settingsDisplay)) {
        const auto mode =
            GridOSDPreviewSessionMode::deferredHotkey(switchDismissalBehavior(triggerCombination));
        if (presentDeferredDirectionalPreview(direction, mode, resolution, metricsTrace)) {
            mark("space.switch.deferred", metricsTrace);
        } else {
            mark("space.switch.aborted", metricsTrace, [] {
                return OSDPresentationMetricsFields{{"reason", "deferred-preview"}};
            });
        }
        return;
    }

    // The move is resolved in the user's layout; without one, the system order is the layout.
    const std::optional<DisplaySpaceOrderSnapshot> snapshot =
        resolution.resolved ? std::optional(resolution.resolved->displaySnapshot) : std::nullopt;
    TessarinSpaceInfo visualInfo = *resolution.info;
    if (snapshot) {
        visualInfo.currentIndex = static_cast<uint32_t>(snapshot->activeVisualIndex);
        visualInfo.spaceCount = static_cast<uint32_t>(snapshot->slotCount());
    }
    const bool gridMode = gridModeStore.isEnabled.value();
    const uint32_t columns = gridModeStore.columns(resolution.settingsDisplay);
    const bool blocks = gridModeStore.blocksAtEdges(resolution.settingsDisplay);
    const bool pacMan =
        gridModeStore.wrapStyle(resolution.settingsDisplay) == GridWrapStyle::pacMan;
    const OSDDismissalBehavior dismissal = switchDismissalBehavior(triggerCombination);

    // A move that goes nowhere posts nothing and shows where the user still is.
    const auto showCurrentSpaceInstead = [&](const char* reason) {
        mark("space.switch.aborted", metricsTrace, [reason] {
            return OSDPresentationMetricsFields{{"reason", reason}};
        });
        presentation_->showOSD(visualInfo.currentIndex, visualInfo.spaceCount, std::nullopt,
                               std::nullopt, resolution.placementDisplay, dismissal,
                               GridOSDInteractionMode::respectsOSDSetting, metricsTrace);
    };
    uint32_t targetVisual = 0;
    if (!tessarin_resolve_target_index_with_wrap_style(visualInfo, direction, gridMode, columns,
                                                       blocks, pacMan, &targetVisual) ||
        targetVisual == visualInfo.currentIndex) {
        showCurrentSpaceInstead("blocked");
        return;
    }
    const int systemTarget = snapshot ? snapshot->systemIndex(static_cast<int>(targetVisual))
                                      : static_cast<int>(targetVisual);
    if (systemTarget < 0) {
        showCurrentSpaceInstead("placeholder-target");
        return;
    }
    const std::optional<SpaceID> targetSpaceID =
        snapshot ? snapshot->spaceID(static_cast<int>(targetVisual)) : std::nullopt;

    const double switchStart = nowSeconds();
    const bool posted = postAndVerifySwitch(static_cast<uint32_t>(systemTarget), targetSpaceID,
                                            resolution.spaceDisplay, snapshot,
                                            SpaceSwitchVerificationContext::switchRequest);
    mark("space.switch.posted", metricsTrace, [&] {
        return OSDPresentationMetricsFields{{"success", text(posted)},
                                            {"switchMs", milliseconds(switchStart)},
                                            {"targetVisualIndex", std::to_string(targetVisual)},
                                            {"systemTargetIndex", std::to_string(systemTarget)}};
    });
    if (!posted) {
        mark("space.switch.aborted", metricsTrace, [] {
            return OSDPresentationMetricsFields{{"reason", "switch-failed"}};
        });
        beep();
        return;
    }
    shell_->refreshSpaceInfo();
    shell_->refreshPersistentGridOverlay();
    presentation_->showOSD(targetVisual, visualInfo.spaceCount, visualInfo.currentIndex, direction,
                           resolution.placementDisplay, dismissal,
                           GridOSDInteractionMode::respectsOSDSetting, metricsTrace);
}

// ---------------------------------------------------------------- Direct jump

void AppDelegate::performSpaceSwitchToIndex(
    uint32_t index, const std::optional<std::string>& displayIdentifier,
    const std::optional<HotkeyCombination>& triggerCombination,
    const OSDPresentationMetricsTraceRef& metricsTrace) {
    mark("space.direct.started", metricsTrace, [&] {
        return OSDPresentationMetricsFields{{"requestedIndex", std::to_string(index)},
                                            {"explicitDisplay", text(displayIdentifier)}};
    });
    if (!guardSpaceControlAccess()) {
        mark("space.direct.aborted", metricsTrace, [] {
            return OSDPresentationMetricsFields{{"reason", "access"}};
        });
        return;
    }
    const double resolveStart = nowSeconds();
    const SwitchResolution resolution = resolveSwitchRequest(displayIdentifier);
    const bool hideOSD = gridModeStore.hideOSDOnDirectJump(resolution.settingsDisplay);
    std::optional<DisplaySpaceNavigator::DirectTarget> target;
    if (resolution.resolved) {
        target = DisplaySpaceNavigator::resolveDirectTarget(resolution.resolved->displaySnapshot,
                                                            clampedVisualIndex(index));
    }
    mark("space.direct.resolved", metricsTrace, [&] {
        return OSDPresentationMetricsFields{
            {"placementDisplay", text(resolution.placementDisplay)},
            {"spaceDisplay", text(resolution.spaceDisplay)},
            {"hasInfo", text(resolution.info.has_value())},
            {"hasSnapshot", text(resolution.resolved.has_value())},
            {"targetVisualIndex", target ? std::to_string(target->visualIndex) : "nil"},
            {"hideOSD", text(hideOSD)},
            {"infoMs", formatSecondsAsMilliseconds(resolution.infoSeconds)},
            {"snapshotMs", formatSecondsAsMilliseconds(resolution.snapshotSeconds)},
            {"resolveMs", milliseconds(resolveStart)}};
    });
    if (!target) {
        // The display's Spaces could not be read: nothing to jump to.
        beep();
        return;
    }
    const DisplaySpaceOrderSnapshot& snapshot = resolution.resolved->displaySnapshot;
    const OSDDismissalBehavior dismissal = switchDismissalBehavior(triggerCombination);
    const bool dragging = dragTracker.isPhysicalDragActive();

    if (shouldDeferSwitch(triggerCombination, resolution.settingsDisplay)) {
        const auto mode = GridOSDPreviewSessionMode::deferredHotkey(dismissal);
        if (dragging) {
            pendingDeferredWindowThrowCandidate = captureFocusedWindowThrowCandidate();
        }
        if (!presentDeferredDirectJump(index, mode, resolution, metricsTrace)) {
            pendingDeferredWindowThrowCandidate.reset();
            mark("space.direct.aborted", metricsTrace, [] {
                return OSDPresentationMetricsFields{{"reason", "deferred-preview"}};
            });
        }
        return;
    }

    const auto spaceCount = static_cast<uint32_t>(snapshot.slotCount());
    if (target->systemIndex < 0) {
        mark("space.direct.aborted", metricsTrace, [] {
            return OSDPresentationMetricsFields{{"reason", "placeholder-target"}};
        });
        if (!hideOSD) {
            presentation_->showOSD(static_cast<uint32_t>(target->visualIndex), spaceCount,
                                   std::nullopt, std::nullopt, resolution.placementDisplay,
                                   dismissal, GridOSDInteractionMode::respectsOSDSetting,
                                   metricsTrace);
        }
        return;
    }
    const std::optional<SpaceID> targetSpaceID = snapshot.spaceID(target->visualIndex);

    if (dragging) {
        // The window held by the pointer goes along instead of being left behind.
        const auto candidate = captureFocusedWindowThrowCandidate();
        const auto error =
            candidate ? throwFocusedWindow(*candidate, static_cast<uint32_t>(target->systemIndex),
                                           targetSpaceID, resolution.spaceDisplay)
                      : std::optional(FocusedWindowThrowError::noDraggedWindow);
        if (error) {
            windowThrowLogger().error("window throw refused reason=" + tessarin::rawValue(*error));
            beep();
        }
        return;
    }

    if (targetSpaceID && *targetSpaceID == snapshot.activeSpaceID) {
        // Already there: only show where the user is.
        if (!hideOSD) {
            presentation_->showOSD(static_cast<uint32_t>(target->visualIndex), spaceCount,
                                   std::nullopt, std::nullopt, resolution.placementDisplay,
                                   dismissal, GridOSDInteractionMode::respectsOSDSetting,
                                   metricsTrace);
        }
        return;
    }

    const double switchStart = nowSeconds();
    const bool posted = postAndVerifySwitch(static_cast<uint32_t>(target->systemIndex),
                                            targetSpaceID, resolution.spaceDisplay, snapshot,
                                            SpaceSwitchVerificationContext::switchRequest);
    mark("space.direct.posted", metricsTrace, [&] {
        return OSDPresentationMetricsFields{
            {"success", text(posted)},
            {"switchMs", milliseconds(switchStart)},
            {"targetVisualIndex", std::to_string(target->visualIndex)},
            {"targetSystemIndex", std::to_string(target->systemIndex)}};
    });
    if (!posted) {
        beep();
        return;
    }
    shell_->refreshSpaceInfo();
    shell_->refreshPersistentGridOverlay();
    if (!hideOSD) {
        presentation_->showOSD(static_cast<uint32_t>(target->visualIndex), spaceCount,
                               static_cast<uint32_t>(snapshot.activeVisualIndex), std::nullopt,
                               resolution.placementDisplay, dismissal,
                               GridOSDInteractionMode::respectsOSDSetting, metricsTrace);
    }
}

// ---------------------------------------------------------------- Last Space

void AppDelegate::performSpaceLastSpace(const std::optional<HotkeyCombination>& triggerCombination,
                                        const OSDPresentationMetricsTraceRef& metricsTrace) {
    mark("space.last.started", metricsTrace);
    if (!guardSpaceControlAccess()) {
        mark("space.last.aborted", metricsTrace, [] {
            return OSDPresentationMetricsFields{{"reason", "access"}};
        });
        return;
    }
    if (!lastSpaceReference) {
        mark("space.last.aborted", metricsTrace, [] {
            return OSDPresentationMetricsFields{{"reason", "missing-reference"}};
        });
        beep();
        return;
    }
    const LastSpaceReference reference = *lastSpaceReference;
    const auto resolved =
        resolveDisplaySpaceOrderSnapshotWithDescriptors(reference.displayIdentifier);
    std::optional<int> visualIndex;
    std::optional<int> systemIndex;
    SpaceID targetSpaceID = reference.spaceID;
    if (resolved) {
        const DisplaySpaceOrderSnapshot& snapshot = resolved->displaySnapshot;
        // The window server may have renumbered the Space since it was remembered.
        if (auto replaced = snapshot.spaceIDReplacements.find(targetSpaceID);
            replaced != snapshot.spaceIDReplacements.end()) {
            targetSpaceID = replaced->second;
        }
        auto visual = snapshot.stableSpaceIDToVisualIndex.find(targetSpaceID);
        auto system = snapshot.stableSpaceIDToSystemIndex.find(targetSpaceID);
        if (visual != snapshot.stableSpaceIDToVisualIndex.end() &&
            system != snapshot.stableSpaceIDToSystemIndex.end()) {
            visualIndex = visual->second;
            systemIndex = system->second;
        }
    }
    if (!resolved || !visualIndex || !systemIndex) {
        mark("space.last.aborted", metricsTrace, [] {
            return OSDPresentationMetricsFields{{"reason", "unresolved-target"}};
        });
        beep();
        return;
    }
    const DisplaySpaceOrderSnapshot& snapshot = resolved->displaySnapshot;
    const std::optional<std::string> spaceDisplay = reference.displayIdentifier;
    const std::optional<std::string> placementDisplay =
        displaysHaveSeparateSpaces() ? spaceDisplay : cursorDisplayIdentifier();

    const double switchStart = nowSeconds();
    const bool posted =
        postAndVerifySwitch(static_cast<uint32_t>(*systemIndex), targetSpaceID, spaceDisplay,
                            snapshot, SpaceSwitchVerificationContext::switchRequest);
    mark("space.last.posted", metricsTrace, [&] {
        return OSDPresentationMetricsFields{{"success", text(posted)},
                                            {"switchMs", milliseconds(switchStart)},
                                            {"targetVisualIndex", std::to_string(*visualIndex)},
                                            {"targetSystemIndex", std::to_string(*systemIndex)}};
    });
    if (!posted) {
        beep();
        return;
    }
    shell_->refreshSpaceInfo();
    shell_->refreshPersistentGridOverlay();
    presentation_->showOSD(static_cast<uint32_t>(*visualIndex),
                           static_cast<uint32_t>(snapshot.slotCount()),
                           static_cast<uint32_t>(snapshot.activeVisualIndex), std::nullopt,
                           placementDisplay, switchDismissalBehavior(triggerCombination),
                           GridOSDInteractionMode::respectsOSDSetting, metricsTrace);
}

} // namespace tessarin
