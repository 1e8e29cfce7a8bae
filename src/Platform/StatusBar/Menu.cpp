#include "Platform/StatusBar/Menu.h"

#include "Platform/StatusBar/MenuItem.h"
#include "Platform/StatusBar/StatusBarChangeFeed.h"

namespace tessarin {

void Menu::addItem(std::shared_ptr<MenuItem> item) {
    if (feed_) {
        item->attach(feed_);
    }
    items_.push_back(std::move(item));
    if (feed_) {
        feed_->notify();
    }
}

MenuItem* Menu::itemWithTitle(const std::string& title) const {
    for (const auto& item : items_) {
        if (!item->isSeparator() && item->title() == title) {
            return item.get();
        }
    }
    return nullptr;
}

void Menu::open() {
    if (delegate_ != nullptr) {
        delegate_->menuNeedsUpdate(*this);
        delegate_->menuWillOpen(*this);
    }
}

void Menu::attach(std::shared_ptr<StatusBarChangeFeed> feed) {
    feed_ = std::move(feed);
    for (const auto& item : items_) {
        item->attach(feed_);
    }
}

} // namespace tessarin
