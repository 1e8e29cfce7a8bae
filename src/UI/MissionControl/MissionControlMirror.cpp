#include "UI/MissionControl/MissionControlMirror.h"

#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Support/MainQueue.h"
#include "UI/MissionControl/MissionControlWindow.h"

#include <algorithm>

namespace tessarin {

MissionControlMirror::MissionControlMirror(MissionControl& missionControl)
    : missionControl_(missionControl), queue_(Host::current().queue()),
      alive_(std::make_shared<bool>(true)) {
    token_ = missionControl_.addObserver([this] { scheduleUpdate(); });
    update();
}

MissionControlMirror::~MissionControlMirror() {
    missionControl_.removeObserver(token_);
}

MissionControlWindow* MissionControlMirror::window(DisplayID displayID) const {
    const auto found = windows_.find(displayID);
    return found == windows_.end() ? nullptr : found->second.get();
}

void MissionControlMirror::scheduleUpdate() {
    if (updateScheduled_) {
        return;
    }
    updateScheduled_ = true;
    queue_.async([alive = std::weak_ptr(alive_), this] {
        if (alive.lock()) {
            updateScheduled_ = false;
            update();
        }
    });
}

void MissionControlMirror::update() {
    const std::vector<DisplayID> shown = missionControl_.shownDisplays();
    for (const auto& [displayID, window] : windows_) {
        if (std::find(shown.begin(), shown.end(), displayID) == shown.end()) {
            window->hide();
        }
    }
    for (const DisplayID displayID : shown) {
        auto& window = windows_[displayID];
        if (!window) {
            window = std::make_unique<MissionControlWindow>(missionControl_, displayID);
        }
        window->refresh();
        window->show();
    }
    const bool opened = !showing_ && !shown.empty();
    showing_ = !shown.empty();
    if (opened) {
        bringFront();
    }
}

// Mission Control comes over every window, the floating ones too, and the display under the
// pointer gets the keys, so Escape leaves at once.
void MissionControlMirror::bringFront() {
    const auto underPointer =
        Host::current().displays().displaysWithPoint(Host::current().displays().cursorLocation());
    MissionControlWindow* keyWindow = nullptr;
    for (const auto& [displayID, window] : windows_) {
        if (!window->isVisible()) {
            continue;
        }
        window->raise();
        const bool pointed =
            std::find(underPointer.begin(), underPointer.end(), displayID) != underPointer.end();
        if (keyWindow == nullptr || pointed) {
            keyWindow = window.get();
        }
    }
    if (keyWindow != nullptr) {
        keyWindow->activateWindow();
        keyWindow->setFocus(Qt::ActiveWindowFocusReason);
    }
}

} // namespace tessarin
