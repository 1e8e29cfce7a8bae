#include "Platform/StatusBar/MenuItem.h"

#include "Platform/StatusBar/Menu.h"
#include "Platform/StatusBar/StatusBarChangeFeed.h"

namespace tessarin {

MenuItem::MenuItem(std::string title, std::function<void()> action, std::string keyEquivalent)
    : title_(std::move(title)), action_(std::move(action)),
      keyEquivalent_(std::move(keyEquivalent)) {}

std::shared_ptr<MenuItem> MenuItem::separator() {
    std::shared_ptr<MenuItem> item(new MenuItem());
    item->isSeparator_ = true;
    return item;
}

void MenuItem::setEnabled(bool enabled) {
    if (isEnabled_ != enabled) {
        isEnabled_ = enabled;
        changed();
    }
}

void MenuItem::setKeyEquivalent(std::string keyEquivalent) {
    if (keyEquivalent_ != keyEquivalent) {
        keyEquivalent_ = std::move(keyEquivalent);
        changed();
    }
}

void MenuItem::setKeyEquivalentModifierMask(uint64_t mask) {
    if (keyEquivalentModifierMask_ != mask) {
        keyEquivalentModifierMask_ = mask;
        changed();
    }
}

void MenuItem::setImage(std::optional<QImage> image) {
    image_ = std::move(image);
    changed();
}

void MenuItem::setSubmenu(std::shared_ptr<Menu> submenu) {
    submenu_ = std::move(submenu);
    if (submenu_ && feed_) {
        submenu_->attach(feed_);
    }
    changed();
}

void MenuItem::perform() const {
    if (!isSeparator_ && isEnabled_ && action_) {
        action_();
    }
}

void MenuItem::attach(std::shared_ptr<StatusBarChangeFeed> feed) {
    feed_ = std::move(feed);
    if (submenu_) {
        submenu_->attach(feed_);
    }
}

void MenuItem::changed() const {
    if (feed_) {
        feed_->notify();
    }
}

} // namespace tessarin
