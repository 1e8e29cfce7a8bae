#include "Platform/StatusBar/StatusBar.h"

#include "Platform/Input/Event.h"
#include "Platform/StatusBar/KeyEquivalentText.h"
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

TEST(StatusBarTest, KeyEquivalentsReadAsTheHostsMenusShowThem) {
    using namespace EventFlags;
    struct Case {
        const char* name;
        const char* keyEquivalent;
        uint64_t mask;
        const char* expected;
    };
    const Case cases[] = {
        {"modifiers in the host's order", "g",
         maskShift | maskControl | maskAlternate | maskCommand, "\u2318\u2325\u2303\u21E7G"},
        {"left arrow", "\uF702", maskControl, "\u2303\u2190"},
        {"right, up and down are arrows too", "\uF703", 0, "\u2192"},
        {"up", "\uF700", 0, "\u2191"},
        {"down", "\uF701", 0, "\u2193"},
        {"a function key by its name", "\uF708", maskCommand, "\u2318F5"},
        {"the first function key", "\uF704", 0, "F1"},
        {"the last function key", "\uF726", 0, "F35"},
        {"past the function keys, the character", "\uF727", 0, "\uF727"},
        {"return", "\r", 0, "\u21A9"},
        {"punctuation as typed", ",", maskCommand, "\u2318,"},
        {"no key, no text", "", maskCommand, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(keyEquivalentText(c.keyEquivalent, c.mask), c.expected);
    }
}

} // namespace
} // namespace tessarin
