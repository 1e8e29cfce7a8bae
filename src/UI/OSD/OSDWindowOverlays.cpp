#include "UI/OSD/OSDWindow.h"

#include <QApplication>
#include <set>

namespace tessarin {

std::string OSDWindow::overlayKey(const std::optional<std::string>& displayIdentifier) {
    return displayIdentifier.value_or(defaultDisplayKey);
}

const OSDGridWindowParts* OSDWindow::secondaryGrid(const std::string& key) const {
    auto found = secondaryGridOverlays_.find(key);
    return found == secondaryGridOverlays_.end() ? nullptr : found->second.get();
}

void OSDWindow::showAdditionalGrid(
    const OSDPresentation& presentation, const DisplayOSDSettings& settings,
    bool activeSpaceAnimationEnabled, const OSDGridAppearanceSettings& appearanceSettings,
    const std::optional<std::string>& displayIdentifier,
    const std::optional<OSDGridMouseInteractionContext>& interactionContext,
    std::function<void()> afterFirstRender, const OSDPresentationMetricsTraceRef& metricsTrace) {
    if (!settings.isEnabled) {
        return;
    }
    mark("osd.window.show.additional.started", metricsTrace,
         {{"presentation", presentation.grid.isDirectional() ? "directional" : "static"},
          {"display", displayIdentifier.value_or("nil")}});
    const std::string key = overlayKey(displayIdentifier);
    if (auto found = secondaryGridOverlays_.find(key); found != secondaryGridOverlays_.end()) {
        found->second->orderOutAndReset();
        retiredGrids_.push_back(std::move(found->second));
    }
    auto overlay = makeGrid(displayIdentifier);
    OSDGridWindowParts& parts = *overlay;
    parts.currentSettings = settings;
    secondaryGridOverlays_[key] = std::move(overlay);
    const auto visibleFrame = currentScreenVisibleFrame(displayIdentifier);
    if (!visibleFrame) {
        retiredGrids_.push_back(std::move(secondaryGridOverlays_[key]));
        secondaryGridOverlays_.erase(key);
        mark("osd.window.show.additional.aborted", metricsTrace);
        return;
    }
    present(parts,
            {presentation, settings, activeSpaceAnimationEnabled, appearanceSettings,
             interactionContext, std::move(afterFirstRender), metricsTrace},
            *visibleFrame, "osd.window.show.additional.laid-out");
}

void OSDWindow::dismissSecondaryGridOverlays() {
    for (auto& [key, overlay] : secondaryGridOverlays_) {
        overlay->orderOutAndReset();
        retiredGrids_.push_back(std::move(overlay));
    }
    secondaryGridOverlays_.clear();
}

void OSDWindow::orderOutUntrackedOverlayPanels() {
    std::set<const QWidget*> tracked;
    if (primary_) {
        tracked.insert(primary_->panel.get());
    }
    for (const auto& [key, overlay] : secondaryGridOverlays_) {
        tracked.insert(overlay->panel.get());
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* panel = dynamic_cast<OSDOverlayPanel*>(window);
        if (panel != nullptr && !tracked.contains(panel)) {
            panel->orderOut();
            panel->setAlpha(1);
        }
    }
}

} // namespace tessarin
