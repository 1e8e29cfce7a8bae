#include "Platform/StatusBar/StatusBar.h"

#include "Platform/StatusBar/StatusItem.h"

#include <algorithm>

namespace tessarin {

StatusBar::StatusBar() : feed_(std::make_shared<StatusBarChangeFeed>()) {}

std::shared_ptr<StatusItem> StatusBar::statusItem(double length) {
    auto item = std::make_shared<StatusItem>(length, feed_);
    items_.push_back(item);
    feed_->notify();
    return item;
}

void StatusBar::removeStatusItem(const std::shared_ptr<StatusItem>& item) {
    const auto found = std::find(items_.begin(), items_.end(), item);
    if (found == items_.end()) {
        return;
    }
    (*found)->markRemoved();
    items_.erase(found);
    feed_->notify();
}

} // namespace tessarin
