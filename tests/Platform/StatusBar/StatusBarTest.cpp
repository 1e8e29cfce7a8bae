#include "Platform/StatusBar/StatusBar.h"

#include "Platform/StatusBar/Menu.h"
#include "Platform/StatusBar/MenuItem.h"
#include "Platform/StatusBar/StatusItem.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

TEST(StatusBarTest, EveryChangeOfAnItemItsButtonOrItsMenuIsReported) {
    StatusBar bar;
    int changes = 0;
    const auto token = bar.changes().addObserver([&] { ++changes; });
    const auto item = bar.statusItem(StatusItem::variableLength);
    auto menu = std::make_shared<Menu>();
    auto entry = std::make_shared<MenuItem>("Show Grid", nullptr);
    menu->addItem(entry);
    item->setMenu(menu);
    changes = 0;

    item->button()->setTitle("3");
    entry->setEnabled(false);
    entry->setEnabled(false); // no change, no report
    menu->addItem(MenuItem::separator());
    EXPECT_EQ(changes, 3);

    bar.changes().removeObserver(token);
    bar.removeStatusItem(item);
    EXPECT_EQ(changes, 3);
    EXPECT_TRUE(bar.items().empty());
    EXPECT_EQ(item->button(), nullptr);
}

} // namespace
} // namespace tessarin
