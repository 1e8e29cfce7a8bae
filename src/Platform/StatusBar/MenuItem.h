#pragma once

#include "Platform/Input/Event.h"

#include <QImage>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace tessarin {

class Menu;
class StatusBarChangeFeed;

// One entry of a host menu: a title with an action, or a separator. The key equivalent is shown
// beside the title with its modifiers (the host's event flags, Command by default).
class MenuItem {
public:
    MenuItem(std::string title, std::function<void()> action, std::string keyEquivalent = {});
    static std::shared_ptr<MenuItem> separator();

    bool isSeparator() const { return isSeparator_; }
    const std::string& title() const { return title_; }

    bool isEnabled() const { return isEnabled_; }
    void setEnabled(bool enabled);
    const std::string& keyEquivalent() const { return keyEquivalent_; }
    void setKeyEquivalent(std::string keyEquivalent);
    uint64_t keyEquivalentModifierMask() const { return keyEquivalentModifierMask_; }
    void setKeyEquivalentModifierMask(uint64_t mask);
    const std::optional<QImage>& image() const { return image_; }
    void setImage(std::optional<QImage> image);
    const std::shared_ptr<Menu>& submenu() const { return submenu_; }
    void setSubmenu(std::shared_ptr<Menu> submenu);

    // What choosing the item does; nothing for a disabled item or a separator.
    void perform() const;

    // The feed told about every change; set by the menu that holds the item.
    void attach(std::shared_ptr<StatusBarChangeFeed> feed);

private:
    MenuItem() = default;
    void changed() const;

    std::string title_;
    std::function<void()> action_;
    bool isSeparator_ = false;
    bool isEnabled_ = true;
    std::string keyEquivalent_;
    uint64_t keyEquivalentModifierMask_ = EventFlags::maskCommand;
    std::optional<QImage> image_;
    std::shared_ptr<Menu> submenu_;
    std::shared_ptr<StatusBarChangeFeed> feed_;
};

} // namespace tessarin
