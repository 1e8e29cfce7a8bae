#pragma once

#include "Hotkeys/HotkeyCombination.h"
#include "Hotkeys/HotkeyIdentifier.h"
#include "Model/Settings/GridColumnCount.h"
#include "Model/Settings/GridWrapStyle.h"
#include "Model/Settings/MenuBarIconSetting.h"
#include "Platform/StatusBar/Menu.h"
#include "Support/WorkItem.h"
#include "TessarinCore/TessarinCore.h"
#include "UI/MenuBar/MenuBarControllerDelegate.h"
#include "UI/MenuBar/MenuBarDirectionalAvailability.h"
#include "UI/MenuBar/MenuBarGridIconModel.h"

#include <QImage>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>

namespace tessarin {

class MenuItem;
class StatusBar;
class StatusItem;

// The program's status item and its menu. It shows the template icon, the current display's
// grid picture or the current Space's number; keeps the Switch items enabled only where a move
// can go; shows the user's hotkeys as key equivalents; and hands every command to its delegate.
// The delegate pushes grid settings and Space state in; the controller reads nothing itself
// but asks the bridge whether a move has a target. Main thread only.
class MenuBarController final : public MenuDelegate {
public:
    static constexpr const char* missionControlURL =
        "file:///System/Applications/Mission Control.app";

    // The status bar of the current host when none is given.
    explicit MenuBarController(StatusBar* statusBar = nullptr);
    ~MenuBarController() override;
    MenuBarController(const MenuBarController&) = delete;
    MenuBarController& operator=(const MenuBarController&) = delete;

    void setDelegate(std::weak_ptr<MenuBarControllerDelegate> delegate);

    // Creates the status item and its menu, then shows the picture.
    void setup();
    void updateMenuState();
    // Shows a hotkey as the key equivalent of its menu item (Show Grid and the four Switch
    // items; other hotkeys are ignored). A combination the machine's keyboard cannot deliver is
    // not offered: the item then shows none, until the combination can be pressed.
    void applyHotkey(const HotkeyCombination& combination, HotkeyIdentifier identifier);
    // Refreshes the Space info and the overlays through the delegate `seconds` from now; a
    // newer call replaces a pending one.
    void scheduleRefresh(double seconds);
    void setGridModeEnabled(bool enabled);
    void setMenuBarIconSetting(MenuBarIconSetting setting);
    void updateGridSettings(GridColumnCount columnCount, bool blocksAtEdges,
                            GridWrapStyle wrapStyle);
    // All three absent when the menu-bar display's Space info could not be read.
    void updateSpaceState(const std::optional<TessarinSpaceInfo>& spaceInfo,
                          const std::optional<MenuBarGridIconModel>& gridModel,
                          const std::optional<MenuBarDirectionalAvailability>& availability);

    // Menu actions.
    void switchLeft();
    void switchRight();
    void switchUp();
    void switchDown();
    void showGrid();
    void openMissionControl();
    void addDesktop();
    void openHealthCheck();
    void openPreferences();

    // Opening the status item's own menu schedules a quick refresh.
    void menuNeedsUpdate(Menu& menu) override;
    void menuWillOpen(Menu& menu) override;

    static constexpr double menuOpenRefreshDelay = 0.05;

    const std::shared_ptr<StatusItem>& statusItem() const { return statusItem_; }

private:
    std::shared_ptr<Menu> createMenu();
    MenuItem* hotkeyMenuItem(HotkeyIdentifier identifier) const;
    void showKeyEquivalent(MenuItem& item, const HotkeyCombination& combination) const;
    void reapplyHotkeys();
    void updateStatusItemAppearance();
    bool canMove(const TessarinSpaceInfo& spaceInfo, TessarinDirection direction) const;
    void performSwitch(TessarinDirection direction);
    void showDefaultImage();
    const std::optional<QImage>& fallbackStatusImage();
    const std::optional<QImage>& defaultStatusImage();

    StatusBar& statusBar_;
    std::shared_ptr<StatusItem> statusItem_;
    std::shared_ptr<Menu> menu_;
    MenuItem* leftMenuItem_ = nullptr;
    MenuItem* rightMenuItem_ = nullptr;
    MenuItem* upMenuItem_ = nullptr;
    MenuItem* downMenuItem_ = nullptr;
    MenuItem* showGridMenuItem_ = nullptr;
    std::optional<TessarinSpaceInfo> cachedSpaceInfo_;
    std::optional<MenuBarGridIconModel> cachedGridModel_;
    std::optional<MenuBarDirectionalAvailability> movementAvailability_;
    std::optional<WorkItem> refreshWorkItem_;
    std::map<HotkeyIdentifier, HotkeyCombination> appliedHotkeys_;
    std::shared_ptr<void> hotkeyDeliveryObserver_;
    bool gridModeEnabled_ = true;
    std::uint32_t gridColumnCount_ = 3;
    bool gridBlocksAtEdges_ = false;
    GridWrapStyle gridWrapStyle_ = GridWrapStyle::snake;
    MenuBarIconSetting menuBarIconSetting_ = MenuBarIconSetting::tessarin;
    std::optional<std::optional<QImage>> fallbackStatusImage_;
    std::optional<std::optional<QImage>> defaultStatusImage_;
    std::weak_ptr<MenuBarControllerDelegate> delegate_;
    // Scheduled work holds this weakly, so it does nothing once the controller is gone.
    std::shared_ptr<MenuBarController*> self_;
};

} // namespace tessarin
