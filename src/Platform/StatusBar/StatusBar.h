#pragma once

#include "Platform/StatusBar/StatusBarChangeFeed.h"

#include <memory>
#include <vector>

namespace tessarin {

class StatusItem;

// The system status bar: the status items programs put into the menu bar, in the order they
// were made. Nothing is drawn here; a mirror on the real desktop shows the items and tests read
// them. Main thread only.
class StatusBar {
public:
    StatusBar();

    std::shared_ptr<StatusItem> statusItem(double length);
    void removeStatusItem(const std::shared_ptr<StatusItem>& item);
    const std::vector<std::shared_ptr<StatusItem>>& items() const { return items_; }

    // Told after any change of an item, its button or its menu.
    StatusBarChangeFeed& changes() { return *feed_; }

private:
    std::shared_ptr<StatusBarChangeFeed> feed_;
    std::vector<std::shared_ptr<StatusItem>> items_;
};

} // namespace tessarin
