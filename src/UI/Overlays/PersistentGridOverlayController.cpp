#include "UI/Overlays/PersistentGridOverlayController.h"

#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "UI/MenuBar/MenuBarIconRenderer.h"
#include "UI/OSD/OSDOverlayPanel.h"
#include "UI/Overlays/PersistentOverlayImageView.h"
#include "UI/Overlays/PersistentOverlayPlacement.h"

#include <set>

namespace tessarin {

namespace {
constexpr double kStartingSide = 88;
} // namespace

// The window and its picture; the window owns the view.
struct PersistentGridOverlayController::OverlayComponents {
    std::unique_ptr<OSDOverlayPanel> window;
    PersistentOverlayImageView* imageView = nullptr;
};

PersistentGridOverlayController::PersistentGridOverlayController() = default;
PersistentGridOverlayController::~PersistentGridOverlayController() = default;

PersistentGridOverlayController::OverlayComponents&
PersistentGridOverlayController::components(const std::string& displayIdentifier) {
    auto& entry = overlaysByDisplayIdentifier_[displayIdentifier];
    if (!entry) {
        entry = std::make_unique<OverlayComponents>();
        entry->window = std::make_unique<OSDOverlayPanel>(Rect{0, 0, kStartingSide, kStartingSide});
        entry->window->setIgnoresMouseEvents(true);
        entry->window->setWindowFlag(Qt::NoDropShadowWindowHint);
        entry->imageView = new PersistentOverlayImageView(entry->window.get());
        entry->imageView->setGeometry(0, 0, static_cast<int>(kStartingSide),
                                      static_cast<int>(kStartingSide));
    }
    return *entry;
}

void PersistentGridOverlayController::remove(const std::string& displayIdentifier) {
    const auto found = overlaysByDisplayIdentifier_.find(displayIdentifier);
    if (found == overlaysByDisplayIdentifier_.end()) {
        return;
    }
    found->second->window->orderOut();
    overlaysByDisplayIdentifier_.erase(found);
}

void PersistentGridOverlayController::refresh(
    bool gridModeEnabled, const GridModelProvider& gridModelProvider,
    const OverlaySettingsProvider& overlaySettingsProvider) {
    if (!gridModeEnabled) {
        hideAll();
        return;
    }
    std::set<std::string> seen;
    for (const Screen& screen : Host::current().displays().screens()) {
        const std::string identifier = PersistentOverlayPlacement::displayIdentifier(screen);
        const DisplayOverlaySettings settings = overlaySettingsProvider(identifier);
        const auto model = settings.isEnabled ? gridModelProvider(identifier) : std::nullopt;
        const auto picture = model ? MenuBarIconRenderer::renderPersistentOverlayIcon(
                                         *model, settings.size, settings.activeColor)
                                   : std::nullopt;
        if (!picture) {
            remove(identifier);
            continue;
        }
        OverlayComponents& overlay = components(identifier);
        const QSizeF size = picture->deviceIndependentSize();
        const Size hostSize{size.width(), size.height()};
        overlay.imageView->setGeometry(0, 0, static_cast<int>(size.width()),
                                       static_cast<int>(size.height()));
        overlay.imageView->setImage(*picture);
        overlay.window->setHostFrame(Rect{
            PersistentOverlayPlacement::origin(settings.placement, screen.visibleFrame, hostSize),
            hostSize});
        overlay.window->setAlpha(rawValue(settings.opacity) / 100.0);
        if (settings.opacity == PersistentGridOverlayOpacity::percent0) {
            overlay.window->orderOut();
        } else {
            overlay.window->orderFrontRegardless();
        }
        seen.insert(identifier);
    }
    for (const std::string& identifier : displayIdentifiers()) {
        if (seen.count(identifier) == 0) {
            remove(identifier);
        }
    }
}

void PersistentGridOverlayController::hideAll() {
    for (const auto& [identifier, overlay] : overlaysByDisplayIdentifier_) {
        overlay->window->orderOut();
    }
}

const OSDOverlayPanel*
PersistentGridOverlayController::window(const std::string& displayIdentifier) const {
    const auto found = overlaysByDisplayIdentifier_.find(displayIdentifier);
    return found == overlaysByDisplayIdentifier_.end() ? nullptr : found->second->window.get();
}

std::vector<std::string> PersistentGridOverlayController::displayIdentifiers() const {
    std::vector<std::string> identifiers;
    for (const auto& [identifier, overlay] : overlaysByDisplayIdentifier_) {
        identifiers.push_back(identifier);
    }
    return identifiers;
}

} // namespace tessarin
