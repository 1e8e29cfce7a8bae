#include "UI/Overlays/PersistentGridOverlayController.h"

#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "UI/MenuBar/MenuBarIconRenderer.h"
#include "UI/OSD/OSDOverlayPanel.h"
#include "UI/Overlays/PersistentOverlayImageView.h"
#include "UI/Overlays/PersistentOverlayPlacement.h"
#include "UI/Overlays/PersistentOverlayWindows.h"

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
    return windows_.componentsFor(displayIdentifier, [] {
        auto entry = std::make_unique<OverlayComponents>();
        entry->window = std::make_unique<OSDOverlayPanel>(Rect{0, 0, kStartingSide, kStartingSide});
        entry->window->setIgnoresMouseEvents(true);
        entry->window->setWindowFlag(Qt::NoDropShadowWindowHint);
        entry->imageView = new PersistentOverlayImageView(entry->window.get());
        entry->imageView->setGeometry(0, 0, static_cast<int>(kStartingSide),
                                      static_cast<int>(kStartingSide));
        return entry;
    });
}

void PersistentGridOverlayController::remove(const std::string& displayIdentifier) {
    windows_.remove(displayIdentifier);
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
        orderOverlayWindow(*overlay.window, rawValue(settings.opacity));
        seen.insert(identifier);
    }
    windows_.removeAllBut(seen);
}

void PersistentGridOverlayController::hideAll() {
    windows_.hideAll();
}

const OSDOverlayPanel*
PersistentGridOverlayController::window(const std::string& displayIdentifier) const {
    return windows_.window(displayIdentifier);
}

std::vector<std::string> PersistentGridOverlayController::displayIdentifiers() const {
    return windows_.displayIdentifiers();
}

} // namespace tessarin
