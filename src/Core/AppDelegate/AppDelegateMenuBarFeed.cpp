#include "Core/AppDelegate/AppDelegate.h"
#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "TessarinCore/BridgeString.h"
#include "TessarinCore/ManagedDisplaySpacesHandle.h"
#include "UI/MenuBar/MenuBarController.h"
#include "UI/Overlays/PersistentGridOverlayController.h"
#include "UI/Overlays/PersistentTitleOverlayController.h"

namespace tessarin {

std::optional<std::string> AppDelegate::activeMenuBarDisplayIdentifier() {
    return adoptBridgeString(tessarin_copy_active_menu_bar_display_identifier());
}

MenuBarController& AppDelegate::menuBarController() {
    if (!menuBarController_) {
        menuBarController_ = std::make_shared<MenuBarController>();
        // Shares the delegate's lifetime marker, so the controller sees the delegate go.
        menuBarController_->setDelegate(std::shared_ptr<MenuBarControllerDelegate>(
            self_, static_cast<MenuBarControllerDelegate*>(this)));
    }
    return *menuBarController_;
}

PersistentGridOverlayController& AppDelegate::persistentGridOverlayController() {
    if (!persistentGridOverlayController_) {
        persistentGridOverlayController_ = std::make_shared<PersistentGridOverlayController>();
    }
    return *persistentGridOverlayController_;
}

PersistentTitleOverlayController& AppDelegate::persistentTitleOverlayController() {
    if (!persistentTitleOverlayController_) {
        persistentTitleOverlayController_ = std::make_shared<PersistentTitleOverlayController>();
    }
    return *persistentTitleOverlayController_;
}

std::optional<std::string>
AppDelegate::menuBarSettingsScope(const std::optional<std::string>& displayIdentifier) {
    return displaysHaveSeparateSpaces() ? displayIdentifier : std::nullopt;
}

void AppDelegate::refreshSpaceInfo() {
    updateStableSpaceDisplayListCountIfNeeded("menu-bar-refresh");
    const auto menuBarDisplay = activeMenuBarDisplayIdentifier();
    const auto spaceDisplay = spaceDisplayIdentifier(menuBarDisplay);
    const auto settingsScope = menuBarSettingsScope(menuBarDisplay);
    MenuBarController& menuBar = menuBarController();
    menuBar.updateGridSettings(gridModeStore.columnCount(settingsScope),
                               gridModeStore.blocksAtEdges(settingsScope),
                               gridModeStore.wrapStyle(settingsScope));

    TessarinSpaceInfo info{};
    if (!tessarin_get_menubar_space_info(&info)) {
        // The current Space is unknown for now; the last one stays, so a later good read does
        // not turn an absent reference into "last Space".
        currentMenuBarSpaceReference.reset();
        menuBar.updateSpaceState(std::nullopt, std::nullopt, std::nullopt);
        return;
    }
    if (!spaceDisplay) {
        menuBar.updateSpaceState(info, std::nullopt, std::nullopt);
        return;
    }
    const auto live = resolveLiveSpaceInfo(menuBarDisplay);
    if (live && live->currentSpaceID != 0) {
        const LastSpaceReference current{*spaceDisplay, live->currentSpaceID};
        if (currentMenuBarSpaceReference != current) {
            if (currentMenuBarSpaceReference) {
                lastSpaceReference = currentMenuBarSpaceReference;
            }
            currentMenuBarSpaceReference = current;
        }
    }
    const auto model = makeMenuBarGridModel(info, spaceDisplay, std::nullopt);
    const auto availability =
        resolveMenuBarDirectionalAvailability(info, spaceDisplay, settingsScope);
    menuBar.updateSpaceState(info, model, availability);
}

std::optional<MenuBarGridIconModel>
AppDelegate::makeMenuBarGridModel(const TessarinSpaceInfo& spaceInfo,
                                  const std::optional<std::string>& displayIdentifier,
                                  std::optional<uint32_t> columnCount) {
    const auto resolved =
        resolveDisplaySpaceOrderSnapshotWithDescriptors(displayIdentifier, spaceInfo.spaceCount);
    std::int64_t count = spaceInfo.spaceCount;
    std::int64_t active = spaceInfo.currentIndex;
    std::set<std::int64_t> placeholders;
    if (resolved) {
        const DisplaySpaceOrderSnapshot& snapshot = resolved->displaySnapshot;
        count = snapshot.slotCount();
        active = snapshot.activeVisualIndex;
        for (const int index : snapshot.placeholderIndices()) {
            placeholders.insert(index);
        }
    }
    const std::uint32_t columns =
        columnCount ? *columnCount : gridModeStore.columns(menuBarSettingsScope(displayIdentifier));
    return MenuBarGridIconModel::make(count, active, columns, placeholders);
}

MenuBarDirectionalAvailability AppDelegate::resolveMenuBarDirectionalAvailability(
    const TessarinSpaceInfo& spaceInfo, const std::optional<std::string>& displayIdentifier,
    const std::optional<std::string>& settingsDisplayIdentifier) {
    const auto scope = settingsDisplayIdentifier ? settingsDisplayIdentifier
                                                 : menuBarSettingsScope(displayIdentifier);
    const std::uint32_t columns = gridModeStore.columns(scope);
    const bool blocks = gridModeStore.blocksAtEdges(scope);
    const bool pacMan = gridModeStore.wrapStyle(scope) == GridWrapStyle::pacMan;
    TessarinSpaceInfo info = spaceInfo;
    if (const auto resolved = resolveDisplaySpaceOrderSnapshotWithDescriptors(
            displayIdentifier, spaceInfo.spaceCount)) {
        const DisplaySpaceOrderSnapshot& snapshot = resolved->displaySnapshot;
        info =
            TessarinSpaceInfo{static_cast<uint32_t>(snapshot.activeVisualIndex),
                              static_cast<uint32_t>(snapshot.slotCount()), snapshot.activeSpaceID};
    }
    const bool gridMode = gridModeStore.isEnabled.value();
    const auto canMove = [&](TessarinDirection direction) {
        uint32_t target = 0;
        return tessarin_resolve_target_index_with_wrap_style(info, direction, gridMode, columns,
                                                             blocks, pacMan, &target);
    };
    return {canMove(TessarinDirectionLeft), canMove(TessarinDirectionRight),
            canMove(TessarinDirectionUp), canMove(TessarinDirectionDown)};
}

void AppDelegate::updateStableSpaceDisplayListCountIfNeeded(const std::string& reason) {
    TessarinManagedDisplaySpaces* spaces = tessarin_copy_managed_display_spaces();
    if (spaces == nullptr) {
        return;
    }
    const uint32_t count = tessarin_count_space_display_lists_in_managed_display_spaces(spaces);
    tessarin_release_managed_display_spaces(spaces);
    const auto screenCount = static_cast<int>(Host::current().displays().screens().size());
    spaceTopologyStabilizer.updateStableSpaceDisplayListCountIfNeeded(static_cast<int>(count),
                                                                      screenCount, reason);
}

void AppDelegate::applyHotkey(const HotkeyCombination& combination, HotkeyIdentifier identifier) {
    menuBarController().applyHotkey(combination, identifier);
}

void AppDelegate::setGridModeEnabled(bool enabled) {
    menuBarController().setGridModeEnabled(enabled);
}

bool AppDelegate::showsOSDSpacePickerOnAllScreens() const {
    return gridModeStore.globalShowOSDSpacePickerOnAllScreens;
}

void AppDelegate::showOSDSpacePickerOnAllScreens() {
    presentation_->showOSDSpacePickerOnAllScreens(nullptr);
}

void AppDelegate::showOSDSpacePickerOnCursorDisplay() {
    presentation_->showOSDSpacePickerOnCursorDisplay(nullptr);
}

void AppDelegate::openHealthCheck() {
    healthCheckWindowController().present(TessarinHealthCheckPresentationMode::setup);
}

} // namespace tessarin
