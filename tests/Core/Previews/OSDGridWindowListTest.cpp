#include "Core/Previews/OSDGridWindowList.h"

#include "Platform/ScreenCapture/WindowListDictionaries.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace tessarin {
namespace {

PropertyDictionary window(WindowID number) {
    return WindowListDictionaries::dictionary(
        WindowInfo{number, 40, "Notes", "List", {10, 20, 300, 200}, 0, 0.5, 2, true});
}

TEST(OSDGridWindowListTest, AWellFormedEntryReadsEveryField) {
    const auto record = OSDGridWindowList::parseWindow(window(5), 3, {{5, 1}});
    ASSERT_TRUE(record);
    EXPECT_EQ(record->windowID, 5u);
    EXPECT_EQ(record->processIdentifier, 40);
    EXPECT_EQ(record->title, "List");
    EXPECT_EQ(record->bounds, Rect(10, 20, 300, 200));
    EXPECT_EQ(record->zIndex, 3);
    EXPECT_EQ(record->onScreenIndex, 1);
    EXPECT_TRUE(record->isOnScreen);
    EXPECT_EQ(record->alpha, 0.5);
    EXPECT_EQ(record->sharingState, 2);
}

struct MalformedCase {
    const char* name;
    const char* key;
    std::optional<PropertyValue> value;
    bool kept;
};

TEST(OSDGridWindowListTest, MalformedEntriesAreLeftOutOrDefaulted) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<MalformedCase> cases{
        {"no number", WindowListKey::number, std::nullopt, false},
        {"negative number", WindowListKey::number, PropertyValue(int64_t{-1}), false},
        {"number past 32 bits", WindowListKey::number, PropertyValue(int64_t{1} << 32), false},
        {"number not finite", WindowListKey::number, PropertyValue(nan), false},
        {"number as text", WindowListKey::number, PropertyValue("5"), false},
        {"pid past 32 bits", WindowListKey::ownerPID, PropertyValue(int64_t{1} << 31), false},
        {"bounds not a dictionary", WindowListKey::bounds, PropertyValue("10,20"), false},
        {"no owner", WindowListKey::ownerName, std::nullopt, true},
        {"title not text", WindowListKey::name, PropertyValue(int64_t{4}), true},
        {"alpha as text", WindowListKey::alpha, PropertyValue("x"), true},
    };
    for (const MalformedCase& c : cases) {
        PropertyDictionary entry = window(5);
        if (c.value) {
            entry[c.key] = *c.value;
        } else {
            entry.erase(c.key);
        }
        const auto record = OSDGridWindowList::parseWindow(entry, 0, {});
        EXPECT_EQ(record.has_value(), c.kept) << c.name;
    }
    PropertyDictionary bare{{WindowListKey::number, int64_t{9}},
                            {WindowListKey::ownerPID, int64_t{1}},
                            {WindowListKey::bounds, PropertyDictionary{{"Width", 50.0}}}};
    const auto record = OSDGridWindowList::parseWindow(bare, 0, {});
    ASSERT_TRUE(record);
    EXPECT_EQ(record->ownerName, "");
    EXPECT_EQ(record->bounds, Rect(0, 0, 50, 0));
    EXPECT_EQ(record->alpha, 1.0);
    EXPECT_EQ(record->sharingState, 1);
    EXPECT_FALSE(record->isOnScreen);
    EXPECT_FALSE(record->onScreenIndex);
}

TEST(OSDGridWindowListTest, NumbersConvertOnlyWhenTheyFit) {
    const PropertyValue huge(1e300);
    const PropertyValue whole(7.9);
    EXPECT_FALSE(OSDGridWindowList::integerValue(&huge));
    EXPECT_EQ(OSDGridWindowList::integerValue(&whole), 7);
    EXPECT_EQ(OSDGridWindowList::doubleValue(nullptr), std::nullopt);
    const PropertyValue one(int64_t{1});
    EXPECT_EQ(OSDGridWindowList::boolValue(&one), true);
}

} // namespace
} // namespace tessarin
