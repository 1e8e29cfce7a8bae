#include "UI/Overlays/PersistentTitleOverlayController.h"

#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "UI/OSD/OSDOverlayPanel.h"
#include "UI/Overlays/PersistentOverlayPlacement.h"
#include "UI/Overlays/PersistentOverlayWindows.h"
#include "UI/Overlays/PersistentTitleOverlayLabel.h"
#include "UI/Overlays/PersistentTitleOverlayLayout.h"

#include <set>

namespace tessarin {

// The window and its label; the window owns the label.
struct PersistentTitleOverlayController::OverlayComponents {
    std::unique_ptr<OSDOverlayPanel> window;
    PersistentTitleOverlayLabel* titleLabel = nullptr;
    std::string title;
};

namespace {

void apply(const PersistentTitleOverlayLayout& layout, OSDOverlayPanel& window,
           PersistentTitleOverlayLabel& label) {
    const Rect& frame = window.hostFrame();
    window.setHostFrame(Rect{frame.origin, layout.windowSize});
    label.setGeometry(0, 0, static_cast<int>(layout.windowSize.width),
                      static_cast<int>(layout.windowSize.height));
    // The text frame is y up inside the window; the label draws y down.
    const Rect& text = layout.textFrame;
    label.setContent(
        QString::fromStdString(layout.title),
        PersistentTitleOverlayLayout::resolvedFont(layout.font),
        QRectF(text.minX(), layout.windowSize.height - text.maxY(), text.width(), text.height()),
        PersistentTitleOverlayLayout::cornerRadius(layout.font));
}

} // namespace

PersistentTitleOverlayController::PersistentTitleOverlayController() = default;
PersistentTitleOverlayController::~PersistentTitleOverlayController() = default;

PersistentTitleOverlayController::OverlayComponents&
PersistentTitleOverlayController::components(const std::string& displayIdentifier) {
    return windows_.componentsFor(displayIdentifier, [] {
        const auto starting =
            *PersistentTitleOverlayLayout::make("Space 1", PersistentTitleOverlayFont{});
        auto entry = std::make_unique<OverlayComponents>();
        entry->window = std::make_unique<OSDOverlayPanel>(Rect{Point{0, 0}, starting.windowSize});
        entry->window->setIgnoresMouseEvents(true);
        entry->window->setWindowFlag(Qt::NoDropShadowWindowHint);
        entry->titleLabel = new PersistentTitleOverlayLabel(entry->window.get());
        apply(starting, *entry->window, *entry->titleLabel);
        entry->title = starting.title;
        return entry;
    });
}

void PersistentTitleOverlayController::remove(const std::string& displayIdentifier) {
    windows_.remove(displayIdentifier);
}

void PersistentTitleOverlayController::refresh(
    const TitleProvider& titleProvider, const OverlaySettingsProvider& overlaySettingsProvider) {
    std::set<std::string> seen;
    for (const Screen& screen : Host::current().displays().screens()) {
        const std::string identifier = PersistentOverlayPlacement::displayIdentifier(screen);
        const DisplayTitleOverlaySettings settings = overlaySettingsProvider(identifier);
        const auto layout =
            settings.isEnabled
                ? PersistentTitleOverlayLayout::make(titleProvider(identifier), settings.font)
                : std::nullopt;
        if (!layout) {
            remove(identifier);
            continue;
        }
        OverlayComponents& overlay = components(identifier);
        apply(*layout, *overlay.window, *overlay.titleLabel);
        overlay.title = layout->title;
        overlay.window->setHostFrameOrigin(PersistentOverlayPlacement::origin(
            settings.placement, screen.visibleFrame, layout->windowSize));
        orderOverlayWindow(*overlay.window, rawValue(settings.opacity));
        seen.insert(identifier);
    }
    windows_.removeAllBut(seen);
}

void PersistentTitleOverlayController::hideAll() {
    windows_.hideAll();
}

const OSDOverlayPanel*
PersistentTitleOverlayController::window(const std::string& displayIdentifier) const {
    return windows_.window(displayIdentifier);
}

std::optional<std::string>
PersistentTitleOverlayController::title(const std::string& displayIdentifier) const {
    const OverlayComponents* overlay = windows_.find(displayIdentifier);
    return overlay ? std::optional(overlay->title) : std::nullopt;
}

std::vector<std::string> PersistentTitleOverlayController::displayIdentifiers() const {
    return windows_.displayIdentifiers();
}

} // namespace tessarin
