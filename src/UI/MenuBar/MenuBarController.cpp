#include "UI/MenuBar/MenuBarController.h"

#include "Platform/Host.h"
#include "Platform/Input/HotKeyCenter.h"
#include "Platform/StatusBar/MenuItem.h"
#include "Platform/StatusBar/StatusBar.h"
#include "Platform/StatusBar/StatusItem.h"
#include "Platform/Symbols/SystemSymbolImages.h"
#include "Platform/SystemServices.h"
#include "Support/MainQueue.h"
#include "Support/ProgramTermination.h"
#include "UI/MenuBar/MenuBarIconRenderer.h"
#include "UI/MenuBar/MenuBarStaticIcon.h"
#include "UI/MenuBar/MenuItemImageSuppressor.h"

#include <QPainter>
#include <array>

namespace tessarin {
namespace {

// Carbon modifier bits of a hotkey and the menu modifiers they stand for.
constexpr uint32_t kCarbonCommand = 0x100;
constexpr uint32_t kCarbonShift = 0x200;
constexpr uint32_t kCarbonOption = 0x800;
constexpr uint32_t kCarbonControl = 0x1000;

uint64_t menuModifierMask(uint32_t carbonModifiers) {
    uint64_t mask = 0;
    if (carbonModifiers & kCarbonCommand) {
        mask |= EventFlags::maskCommand;
    }
    if (carbonModifiers & kCarbonShift) {
        mask |= EventFlags::maskShift;
    }
    if (carbonModifiers & kCarbonOption) {
        mask |= EventFlags::maskAlternate;
    }
    if (carbonModifiers & kCarbonControl) {
        mask |= EventFlags::maskControl;
    }
    return mask;
}

// The host's left-right arrow in a square, as a template image described as the program; none
// when the host lacks the symbol.
std::optional<QImage> fallbackSymbolImage() {
    auto image = Host::current().symbols().image("arrow.left.and.right.square");
    if (!image) {
        return std::nullopt;
    }
    image->setText(QString::fromLatin1(MenuBarStaticIcon::templateKey), QStringLiteral("true"));
    image->setText(QStringLiteral("description"), QStringLiteral("Tessarin"));
    return image;
}

} // namespace

MenuBarController::MenuBarController(StatusBar* statusBar)
    : statusBar_(statusBar != nullptr ? *statusBar : Host::current().statusBar()),
      self_(std::make_shared<MenuBarController*>(this)) {}

MenuBarController::~MenuBarController() {
    if (refreshWorkItem_) {
        refreshWorkItem_->cancel();
    }
    if (menu_) {
        menu_->setDelegate(nullptr);
    }
    if (statusItem_) {
        statusBar_.removeStatusItem(statusItem_);
    }
}

void MenuBarController::setDelegate(std::weak_ptr<MenuBarControllerDelegate> delegate) {
    delegate_ = std::move(delegate);
}

void MenuBarController::setup() {
    statusItem_ = statusBar_.statusItem(StatusItem::variableLength);
    menu_ = createMenu();
    statusItem_->setMenu(menu_);
    updateStatusItemAppearance();
}

std::shared_ptr<Menu> MenuBarController::createMenu() {
    auto menu = std::make_shared<Menu>();
    menu->setDelegate(this);
    const auto add = [&](const char* title, void (MenuBarController::*action)(),
                         std::string keyEquivalent = {}) {
        auto item = std::make_shared<MenuItem>(
            title, [this, action] { (this->*action)(); }, std::move(keyEquivalent));
        MenuItem* raw = item.get();
        menu->addItem(std::move(item));
        return raw;
    };
    showGridMenuItem_ = add("Show Grid", &MenuBarController::showGrid);
    add("Mission Control", &MenuBarController::openMissionControl);
    add("Add Desktop", &MenuBarController::addDesktop);
    menu->addItem(MenuItem::separator());
    leftMenuItem_ = add("Switch Left", &MenuBarController::switchLeft);
    rightMenuItem_ = add("Switch Right", &MenuBarController::switchRight);
    upMenuItem_ = add("Switch Up", &MenuBarController::switchUp);
    downMenuItem_ = add("Switch Down", &MenuBarController::switchDown);
    menu->addItem(MenuItem::separator());
    add("Health Check\u2026", &MenuBarController::openHealthCheck);
    add("Settings\u2026", &MenuBarController::openPreferences, ",");
    menu->addItem(MenuItem::separator());
    // Quitting belongs to the application object, not to this controller.
    menu->addItem(std::make_shared<MenuItem>("Quit Tessarin", terminateProgram, "q"));
    MenuItemImageSuppressor::removeImages(*menu);
    return menu;
}

void MenuBarController::updateMenuState() {
    if (showGridMenuItem_ != nullptr) {
        showGridMenuItem_->setEnabled(gridModeEnabled_);
    }
    const std::array<MenuItem*, 4> switchItems{leftMenuItem_, rightMenuItem_, upMenuItem_,
                                               downMenuItem_};
    std::array<bool, 4> enabled{};
    if (movementAvailability_) {
        enabled = {movementAvailability_->left, movementAvailability_->right,
                   movementAvailability_->up, movementAvailability_->down};
    } else if (cachedSpaceInfo_) {
        for (TessarinDirection direction = 0; direction < 4; ++direction) {
            enabled[direction] = canMove(*cachedSpaceInfo_, direction);
        }
    } else {
        // Without Space info only a plain left-right move can be tried, and only off the grid.
        enabled = {!gridModeEnabled_, !gridModeEnabled_, false, false};
    }
    for (size_t index = 0; index < switchItems.size(); ++index) {
        if (switchItems[index] != nullptr) {
            switchItems[index]->setEnabled(enabled[index]);
        }
    }
    updateStatusItemAppearance();
}

bool MenuBarController::canMove(const TessarinSpaceInfo& spaceInfo,
                                TessarinDirection direction) const {
    uint32_t target = 0;
    return tessarin_resolve_target_index_with_wrap_style(
        spaceInfo, direction, gridModeEnabled_, gridColumnCount_, gridBlocksAtEdges_,
        gridWrapStyle_ == GridWrapStyle::pacMan, &target);
}

void MenuBarController::updateStatusItemAppearance() {
    StatusBarButton* button = statusItem_ ? statusItem_->button() : nullptr;
    if (button == nullptr) {
        return;
    }
    button->setImage(std::nullopt);
    button->setFont(StatusBarFont{});
    button->setTitle({});
    button->setImagePosition(StatusBarImagePosition::imageOnly);

    if (!cachedSpaceInfo_ || !gridModeEnabled_ ||
        menuBarIconSetting_ == MenuBarIconSetting::tessarin) {
        showDefaultImage();
        return;
    }
    if (menuBarIconSetting_ == MenuBarIconSetting::minigrid) {
        auto model = cachedGridModel_
                         ? cachedGridModel_
                         : MenuBarIconRenderer::makeGridModel(*cachedSpaceInfo_, gridColumnCount_);
        auto picture = model ? MenuBarIconRenderer::renderGridIcon(*model) : std::nullopt;
        button->setImage(picture ? picture : fallbackStatusImage());
        return;
    }
    std::int64_t number = 0;
    if (cachedGridModel_) {
        number = cachedGridModel_->activeIndex + 1;
    } else if (cachedSpaceInfo_->spaceCount > 0 &&
               cachedSpaceInfo_->currentIndex < cachedSpaceInfo_->spaceCount) {
        number = static_cast<std::int64_t>(cachedSpaceInfo_->currentIndex) + 1;
    } else {
        showDefaultImage();
        return;
    }
    button->setFont(StatusBarFont{StatusBarFont::Kind::monospacedDigitSystem, 13,
                                  StatusBarFont::Weight::semibold});
    button->setTitle(std::to_string(number));
    button->setImagePosition(StatusBarImagePosition::noImage);
}

void MenuBarController::showDefaultImage() {
    const auto& image = defaultStatusImage();
    statusItem_->button()->setImage(image ? image : fallbackStatusImage());
}

const std::optional<QImage>& MenuBarController::fallbackStatusImage() {
    if (!fallbackStatusImage_) {
        fallbackStatusImage_ = fallbackSymbolImage();
    }
    return *fallbackStatusImage_;
}

const std::optional<QImage>& MenuBarController::defaultStatusImage() {
    if (!defaultStatusImage_) {
        auto image = MenuBarStaticIcon::image();
        defaultStatusImage_ = image ? image : fallbackStatusImage();
    }
    return *defaultStatusImage_;
}

void MenuBarController::applyHotkey(const HotkeyCombination& combination,
                                    HotkeyIdentifier identifier) {
    MenuItem* item = hotkeyMenuItem(identifier);
    if (item == nullptr) {
        return;
    }
    appliedHotkeys_.insert_or_assign(identifier, combination);
    showKeyEquivalent(*item, combination);
    Host* host = Host::installed();
    if (!hotkeyDeliveryObserver_ && host != nullptr) {
        hotkeyDeliveryObserver_ =
            host->hotKeys().delivery().addObserver([weakSelf = std::weak_ptr(self_)] {
                if (const auto self = weakSelf.lock()) {
                    (*self)->reapplyHotkeys();
                }
            });
    }
}

MenuItem* MenuBarController::hotkeyMenuItem(HotkeyIdentifier identifier) const {
    switch (identifier) {
    case HotkeyIdentifier::showOSD:
        return showGridMenuItem_;
    case HotkeyIdentifier::left:
        return leftMenuItem_;
    case HotkeyIdentifier::right:
        return rightMenuItem_;
    case HotkeyIdentifier::up:
        return upMenuItem_;
    case HotkeyIdentifier::down:
        return downMenuItem_;
    default:
        return nullptr;
    }
}

void MenuBarController::showKeyEquivalent(MenuItem& item,
                                          const HotkeyCombination& combination) const {
    Host* host = Host::installed();
    if (host != nullptr &&
        host->hotKeys().delivery().issue(combination.keyCode, combination.modifiers)) {
        item.setKeyEquivalent("");
        item.setKeyEquivalentModifierMask(0);
        return;
    }
    item.setKeyEquivalent(combination.keyEquivalent);
    item.setKeyEquivalentModifierMask(menuModifierMask(combination.modifiers));
}

void MenuBarController::reapplyHotkeys() {
    for (const auto& [identifier, combination] : appliedHotkeys_) {
        if (MenuItem* item = hotkeyMenuItem(identifier)) {
            showKeyEquivalent(*item, combination);
        }
    }
}

void MenuBarController::scheduleRefresh(double seconds) {
    if (refreshWorkItem_) {
        refreshWorkItem_->cancel();
    }
    std::weak_ptr<MenuBarController*> weakSelf = self_;
    refreshWorkItem_ = Host::current().queue().asyncAfter(seconds, [weakSelf] {
        const auto self = weakSelf.lock();
        if (!self) {
            return;
        }
        if (const auto delegate = (*self)->delegate_.lock()) {
            delegate->refreshSpaceInfo();
            delegate->refreshPersistentGridOverlay();
        }
    });
}

void MenuBarController::setGridModeEnabled(bool enabled) {
    if (gridModeEnabled_ != enabled) {
        gridModeEnabled_ = enabled;
        updateMenuState();
    }
}

void MenuBarController::setMenuBarIconSetting(MenuBarIconSetting setting) {
    if (menuBarIconSetting_ != setting) {
        menuBarIconSetting_ = setting;
        updateStatusItemAppearance();
    }
}

void MenuBarController::updateGridSettings(GridColumnCount columnCount, bool blocksAtEdges,
                                           GridWrapStyle wrapStyle) {
    const auto count = static_cast<std::uint32_t>(columns(columnCount));
    if (gridColumnCount_ != count) {
        gridColumnCount_ = count;
        updateMenuState();
    }
    if (gridBlocksAtEdges_ != blocksAtEdges) {
        gridBlocksAtEdges_ = blocksAtEdges;
        updateMenuState();
    }
    if (gridWrapStyle_ != wrapStyle) {
        gridWrapStyle_ = wrapStyle;
        updateMenuState();
    }
}

void MenuBarController::updateSpaceState(
    const std::optional<TessarinSpaceInfo>& spaceInfo,
    const std::optional<MenuBarGridIconModel>& gridModel,
    const std::optional<MenuBarDirectionalAvailability>& availability) {
    cachedSpaceInfo_ = spaceInfo;
    cachedGridModel_ = gridModel;
    movementAvailability_ = availability;
    updateMenuState();
}

void MenuBarController::performSwitch(TessarinDirection direction) {
    if (const auto delegate = delegate_.lock()) {
        delegate->performSpaceSwitch(direction, std::nullopt, std::nullopt, nullptr);
    }
}

void MenuBarController::switchLeft() {
    performSwitch(TessarinDirectionLeft);
}

void MenuBarController::switchRight() {
    performSwitch(TessarinDirectionRight);
}

void MenuBarController::switchUp() {
    performSwitch(TessarinDirectionUp);
}

void MenuBarController::switchDown() {
    performSwitch(TessarinDirectionDown);
}

void MenuBarController::showGrid() {
    const auto delegate = delegate_.lock();
    if (!delegate) {
        return;
    }
    if (delegate->showsOSDSpacePickerOnAllScreens()) {
        delegate->showOSDSpacePickerOnAllScreens();
    } else {
        delegate->showOSDSpacePickerOnCursorDisplay();
    }
}

void MenuBarController::openMissionControl() {
    if (!tessarin_is_mission_control_active()) {
        Host::current().system().openURL(missionControlURL);
    }
}

void MenuBarController::addDesktop() {
    if (const auto delegate = delegate_.lock()) {
        delegate->createDesktopOnActiveDisplay();
    }
}

void MenuBarController::openHealthCheck() {
    if (const auto delegate = delegate_.lock()) {
        delegate->openHealthCheck();
    }
}

void MenuBarController::openPreferences() {
    if (const auto delegate = delegate_.lock()) {
        delegate->openPreferences();
    }
}

void MenuBarController::menuNeedsUpdate(Menu& menu) {
    if (&menu == menu_.get()) {
        scheduleRefresh(menuOpenRefreshDelay);
    }
}

void MenuBarController::menuWillOpen(Menu& menu) {
    if (&menu == menu_.get()) {
        scheduleRefresh(menuOpenRefreshDelay);
    }
}

} // namespace tessarin
