#include "Platform/MachineScreen.h"

#include "Platform/DisplayServer.h"
#include "Platform/Host.h"

#include <memory>
#include <vector>

namespace tessarin {

namespace {

std::vector<Rect> windowServerBounds(const DisplayServer& displays) {
    std::vector<Rect> bounds;
    for (const Screen& screen : displays.screens()) {
        bounds.push_back(displays.toWindowServer(screen.frame));
    }
    return bounds;
}

} // namespace

MachineScreen& MachineScreen::of(Host& host) {
    return host.sharedInstance<MachineScreen>(
        [](Host& owner) { return std::make_shared<MachineScreen>(owner.displays()); });
}

MachineScreenPlacement MachineScreen::placement() const {
    if (!area_) {
        return MachineScreenPlacement::identity();
    }
    return MachineScreenPlacement::fitting(windowServerBounds(displays_), *area_);
}

Rect MachineScreen::windowFrame(const Rect& screenRect) const {
    const Rect frame = displays_.toWindowServer(screenRect);
    if (!area_) {
        return frame;
    }
    return machineWindowFrame(placement(), windowServerBounds(displays_), *area_, frame);
}

std::optional<Point> MachineScreen::windowServerPointAt(Point machinePoint) const {
    if (!area_) {
        return std::nullopt;
    }
    const Point point = placement().toHost(machinePoint);
    if (displays_.displaysWithPoint(point).empty()) {
        return std::nullopt;
    }
    return point;
}

} // namespace tessarin
