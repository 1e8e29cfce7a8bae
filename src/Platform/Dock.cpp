#include "Platform/Dock.h"

#include "Platform/DisplayServer.h"
#include "Platform/Input/EventSystem.h"
#include "Platform/WindowServer.h"
#include "Support/MainQueue.h"

#include <algorithm>
#include <cmath>

namespace tessarin {

namespace {

constexpr int kDesktopCount = 16;
constexpr int kNormalWindowLayer = 0;

} // namespace

Dock::Dock(WindowServer& windowServer, DisplayServer& displays, EventSystem& events,
           MainQueue& queue)
    : windowServer_(windowServer), displays_(displays), events_(events), queue_(queue),
      alive_(std::make_shared<bool>(true)) {
    gestureToken_ = events_.addConsumer(
        EventStage::dockGestures, [this](const Event& event) { return handleGestureStage(event); });
    hotKeyToken_ = events_.addConsumer(EventStage::symbolicHotKeys, [this](const Event& event) {
        return handleSymbolicHotKeyStage(event);
    });
}

Dock::~Dock() {
    *alive_ = false;
    events_.removeConsumer(gestureToken_);
    events_.removeConsumer(hotKeyToken_);
}

void Dock::setSymbolicHotKeySource(SymbolicHotKeySource source) {
    symbolicHotKeys_ = std::move(source);
}

void Dock::setMissionControlOpener(std::function<void()> open) {
    openMissionControl_ = std::move(open);
}

void Dock::switchToSpace(const std::string& displayIdentifier, SpaceID spaceID) {
    SwitchTarget target;
    target.displayIdentifier = displayIdentifier;
    target.spaceID = spaceID;
    scheduleSwitch(std::move(target));
}

void Dock::setAnimationDuration(TimeInterval seconds) {
    animationDuration_ = std::max(0.0, seconds);
}

// --- Gestures ---------------------------------------------------------------------------

bool Dock::handleGestureStage(const Event& event) {
    trackPointer(event);
    const auto swipe = decodeDockSwipeEvent(event);
    if (!swipe) {
        return false;
    }
    if (swipe->phase & GesturePhase::ended) {
        ++receivedGestureCount_;
        if (!ignoresGestures_) {
            handleSwipe(*swipe);
        }
    }
    // Every Dock swipe is the Dock's, whether it acts on it or not.
    return true;
}

void Dock::handleSwipe(const DockSwipeEvent& swipe) {
    if (swipe.motion == GestureSwipeMotion::vertical) {
        if (std::abs(swipe.progress) >= 0.1) {
            windowServer_.setMissionControlOpen(swipe.progress < 0);
        }
        return;
    }
    if (swipe.motion != GestureSwipeMotion::horizontal) {
        return;
    }
    auto list = spaceListUnder(swipe.location);
    const int64_t steps = dockSwipeSteps(swipe.progress);
    if (!list || (steps == 0 && !swipe.targetIndex)) {
        return;
    }
    SwitchTarget target;
    target.displayIdentifier = *list;
    target.steps = steps;
    target.targetIndex = swipe.targetIndex;
    scheduleSwitch(std::move(target));
}

// --- Pointer ----------------------------------------------------------------------------

void Dock::trackPointer(const Event& event) {
    switch (event.type) {
    case EventType::leftMouseDown:
        pressedWindow_ = windowUnder(event.location);
        pointerDragged_ = false;
        break;
    case EventType::leftMouseDragged:
        pointerDragged_ = pressedWindow_.has_value();
        break;
    case EventType::leftMouseUp:
        pressedWindow_.reset();
        pointerDragged_ = false;
        break;
    default:
        break;
    }
}

std::optional<WindowID> Dock::windowUnder(Point windowServerPoint) const {
    for (const ServerWindow& window : windowServer_.windows()) {
        if (window.layer == kNormalWindowLayer && window.bounds.contains(windowServerPoint) &&
            windowServer_.isWindowOnScreen(window.number)) {
            return window.number;
        }
    }
    return std::nullopt;
}

std::optional<WindowID> Dock::draggedWindow() const {
    if (!pointerDragged_ || !events_.buttonState(MouseButton::left)) {
        return std::nullopt;
    }
    return pressedWindow_;
}

// --- Shortcuts --------------------------------------------------------------------------

std::optional<int> Dock::matchingSymbolicHotKey(const Event& event) const {
    if (!symbolicHotKeys_.value || !symbolicHotKeys_.isEnabled) {
        return std::nullopt;
    }
    std::vector<int> candidates{SymbolicHotKey::missionControl, SymbolicHotKey::applicationWindows,
                                SymbolicHotKey::moveLeftASpace, SymbolicHotKey::moveRightASpace};
    for (int n = 1; n <= kDesktopCount; ++n) {
        candidates.push_back(SymbolicHotKey::switchToDesktop(n));
    }
    const uint64_t pressed = event.flags & EventFlags::maskShortcutModifiers;
    for (int hotKey : candidates) {
        if (!symbolicHotKeys_.isEnabled(hotKey)) {
            continue;
        }
        const auto value = symbolicHotKeys_.value(hotKey);
        if (value && value->virtualKeyCode == event.keyCode() &&
            (value->modifierFlags & EventFlags::maskShortcutModifiers) == pressed) {
            return hotKey;
        }
    }
    return std::nullopt;
}

bool Dock::handleSymbolicHotKeyStage(const Event& event) {
    if (!event.isKeyEvent()) {
        return false;
    }
    const auto hotKey = matchingSymbolicHotKey(event);
    if (!hotKey) {
        return false;
    }
    // The system takes both halves of the press but acts on the first key down only.
    if (event.type != EventType::keyDown || event.isAutorepeat()) {
        return true;
    }
    if (*hotKey == SymbolicHotKey::missionControl ||
        *hotKey == SymbolicHotKey::applicationWindows) {
        if (openMissionControl_) {
            openMissionControl_();
        } else {
            windowServer_.setMissionControlOpen(true);
        }
        return true;
    }
    auto list = spaceListUnder(displays_.cursorLocation());
    if (!list) {
        return true;
    }
    SwitchTarget target;
    target.displayIdentifier = *list;
    if (*hotKey == SymbolicHotKey::moveLeftASpace) {
        target.steps = -1;
    } else if (*hotKey == SymbolicHotKey::moveRightASpace) {
        target.steps = 1;
    } else {
        target.desktopNumber = *hotKey - SymbolicHotKey::switchToDesktop(0);
        target.carriedWindow = draggedWindow();
    }
    scheduleSwitch(std::move(target));
    return true;
}

// --- Switching --------------------------------------------------------------------------

std::optional<std::string> Dock::spaceListUnder(Point windowServerPoint) const {
    const auto displays = displays_.displaysWithPoint(windowServerPoint);
    if (displays.empty()) {
        return std::nullopt;
    }
    return windowServer_.spaceListIdentifier(displays.front());
}

void Dock::scheduleSwitch(SwitchTarget target) {
    ++pendingSwitchCount_;
    std::weak_ptr<bool> alive = alive_;
    queue_.asyncAfter(animationDuration_, [this, alive, target = std::move(target)] {
        auto flag = alive.lock();
        if (!flag || !*flag) {
            return;
        }
        --pendingSwitchCount_;
        land(target);
    });
}

std::optional<SpaceID> Dock::resolveLandingSpace(const SwitchTarget& target) const {
    const auto list = windowServer_.spaceList(target.displayIdentifier);
    if (!list || list->spaces.empty()) {
        return std::nullopt;
    }
    const auto& spaces = list->spaces;
    if (target.spaceID) {
        const bool held = std::any_of(spaces.begin(), spaces.end(), [&](const ManagedSpace& s) {
            return s.id64 == *target.spaceID;
        });
        return held ? target.spaceID : std::nullopt;
    }
    if (target.desktopNumber) {
        int seen = 0;
        for (const ManagedSpace& space : spaces) {
            if (space.type == kSpaceTypeUserDesktop && ++seen == *target.desktopNumber) {
                return space.id64;
            }
        }
        return std::nullopt;
    }
    if (target.targetIndex && *target.targetIndex < spaces.size()) {
        return spaces[*target.targetIndex].id64;
    }
    const auto current = std::find_if(spaces.begin(), spaces.end(), [&](const ManagedSpace& s) {
        return s.id64 == list->currentSpace;
    });
    const int64_t from = current == spaces.end() ? 0 : current - spaces.begin();
    // Swipes stop at the first and the last Space; they never wrap.
    const int64_t to =
        std::clamp<int64_t>(from + target.steps, 0, static_cast<int64_t>(spaces.size()) - 1);
    return spaces[static_cast<std::size_t>(to)].id64;
}

void Dock::land(const SwitchTarget& target) {
    const auto landing = resolveLandingSpace(target);
    if (!landing) {
        return;
    }
    const SpaceID from = windowServer_.currentSpace(target.displayIdentifier).value_or(0);
    std::optional<WindowID> carried;
    if (target.carriedWindow && windowServer_.moveWindow(*target.carriedWindow, *landing)) {
        carried = target.carriedWindow;
    }
    if (*landing == from && !carried) {
        return;
    }
    windowServer_.setCurrentSpace(target.displayIdentifier, *landing);
    spaceChanges_.push_back(SpaceChange{target.displayIdentifier, from, *landing, carried});
}

} // namespace tessarin
