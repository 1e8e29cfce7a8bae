#include "Core/AppDelegate/AppDelegate.h"
#include "UI/Overlays/PersistentGridOverlayController.h"
#include "UI/Overlays/PersistentTitleOverlayController.h"
#include "UI/Overlays/PersistentTitleOverlayTitleResolver.h"

namespace tessarin {

namespace {

// The display whose Spaces a screen shows: the shared list's under shared Spaces, so both
// overlays read the order the user arranged there.
std::optional<std::string> layoutDisplay(AppDelegate& delegate, const std::string& display) {
    const auto spaceDisplay = delegate.spaceDisplayIdentifier(display);
    return spaceDisplay ? spaceDisplay : display;
}

} // namespace

// The providers hold the delegate weakly: once it is gone they yield no model, no title and
// the default settings, which show nothing.
void AppDelegate::refreshPersistentGridOverlay() {
    const std::weak_ptr<AppDelegate*> weakSelf = self_;
    // The controllers ask for every display's settings and titles.
    const SeparateSpacesPin pin(*this);

    persistentGridOverlayController().refresh(
        gridModeStore.isEnabled.value(),
        [weakSelf](const std::string& display) -> std::optional<MenuBarGridIconModel> {
            const auto self = weakSelf.lock();
            if (!self) {
                return std::nullopt;
            }
            AppDelegate& delegate = **self;
            // The predicting readers, so a switch just posted shows at once.
            const auto info = delegate.resolveLiveSpaceInfo(display, SpaceInfoReading::predicting);
            if (!info) {
                return std::nullopt;
            }
            return delegate.makeMenuBarGridModel(
                *info, layoutDisplay(delegate, display),
                delegate.gridModeStore.columns(delegate.menuBarSettingsScope(display)));
        },
        [weakSelf](const std::string& display) {
            const auto self = weakSelf.lock();
            return self ? (*self)
                              ->presentationStore.snapshot((*self)->menuBarSettingsScope(display))
                              .overlay
                        : DisplayOverlaySettings{};
        });

    persistentTitleOverlayController().refresh(
        [weakSelf](const std::string& display) -> std::optional<std::string> {
            const auto self = weakSelf.lock();
            if (!self) {
                return std::nullopt;
            }
            AppDelegate& delegate = **self;
            const auto resolved = delegate.resolveDisplaySpaceOrderSnapshotWithDescriptors(
                layoutDisplay(delegate, display));
            if (!resolved) {
                return std::nullopt;
            }
            // Slot names belong to the display while Spaces are separate, else to the display
            // that shows the menu bar.
            const auto metadataDisplay = delegate.displaysHaveSeparateSpaces()
                                             ? std::optional<std::string>(display)
                                             : activeMenuBarDisplayIdentifier();
            return PersistentTitleOverlayTitleResolver::resolve(
                resolved->displaySnapshot.activeVisualIndex, metadataDisplay,
                delegate.directSlotMetadataStore);
        },
        [weakSelf](const std::string& display) {
            const auto self = weakSelf.lock();
            return self ? (*self)
                              ->presentationStore.snapshot((*self)->menuBarSettingsScope(display))
                              .titleOverlay
                        : DisplayTitleOverlaySettings{};
        });
}

} // namespace tessarin
