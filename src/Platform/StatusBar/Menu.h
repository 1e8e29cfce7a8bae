#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tessarin {

class Menu;
class MenuItem;
class StatusBarChangeFeed;

// Told before a menu drops down, so it can bring its items up to date.
class MenuDelegate {
public:
    virtual ~MenuDelegate() = default;
    virtual void menuNeedsUpdate(Menu& menu) = 0;
    virtual void menuWillOpen(Menu& menu) = 0;
};

// A host menu: items in order, and a delegate that its owner clears before it goes. Items keep the
// enabled state last given to them; the host never enables them by itself.
class Menu {
public:
    const std::vector<std::shared_ptr<MenuItem>>& items() const { return items_; }
    void addItem(std::shared_ptr<MenuItem> item);
    // The first item with this title, or null.
    MenuItem* itemWithTitle(const std::string& title) const;

    void setDelegate(MenuDelegate* delegate) { delegate_ = delegate; }
    MenuDelegate* delegate() const { return delegate_; }

    // The user opens the menu: the delegate is asked to update it, then told it opens.
    void open();

    void attach(std::shared_ptr<StatusBarChangeFeed> feed);

private:
    std::vector<std::shared_ptr<MenuItem>> items_;
    MenuDelegate* delegate_ = nullptr;
    std::shared_ptr<StatusBarChangeFeed> feed_;
};

} // namespace tessarin
