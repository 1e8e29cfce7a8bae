#include "Model/Settings/TrackpadSwipeSettingsStore.h"

#include "Support/VirtualMainQueue.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using Store = TrackpadSwipeSettingsStore;

// clang-format off
struct LoadCase { const char* name; PropertyDictionary stored; bool enabled; TrackpadSpaceSwitchMode mode;
                  int64_t delay; bool reversed; TrackpadNavigationFingerCount fingers; };
// clang-format on

TEST(TrackpadSwipeSettingsStoreTest, LoadsNormalisedValuesAndNeverWritesAtLoad) {
    using M = TrackpadSpaceSwitchMode;
    using F = TrackpadNavigationFingerCount;
    using S = Store;
    // clang-format off
    const LoadCase cases[] = {
        {"fresh install", {}, false, M::afterDelay, 650, false, F::three},
        {"stored values", {{S::navigationEnabledKey, true}, {S::switchModeKey, "afterTap"},
                           {S::switchDelayKey, 1234}, {S::directionReversedKey, true},
                           {S::fingerCountKey, "four"}}, true, M::afterTap, 1250, true, F::four},
        {"unknown mode, legacy on", {{S::switchModeKey, "sometimes"}, {S::legacyWhileSwipingKey, true}},
         false, M::whileSwiping, 650, false, F::three},
        {"unknown mode, no legacy", {{S::switchModeKey, "sometimes"}},
         false, M::afterDelay, 650, false, F::three},
        {"wrong types", {{S::navigationEnabledKey, 1}, {S::switchModeKey, 2}, {S::switchDelayKey, "900"},
                         {S::directionReversedKey, "yes"}, {S::fingerCountKey, 4}},
         false, M::afterDelay, 650, false, F::three},
        {"finger count capitalised", {{S::fingerCountKey, "Four"}},
         false, M::afterDelay, 650, false, F::three},
    };
    // clang-format on
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        VirtualMainQueue queue;
        ScopedMainQueue scoped(queue);
        UserDefaults defaults;
        defaults.replaceAll(c.stored);
        Store store(defaults);
        EXPECT_EQ(store.navigationEnabled(), c.enabled);
        EXPECT_EQ(store.switchMode(), c.mode);
        EXPECT_EQ(store.switchDelayMilliseconds(), c.delay);
        EXPECT_EQ(store.directionReversed(), c.reversed);
        EXPECT_EQ(store.navigationFingerCount(), c.fingers);
        EXPECT_EQ(defaults.dictionaryRepresentation(), c.stored);
    }
}

TEST(TrackpadSwipeSettingsStoreTest, DelayRoundsToFiftyWithinRange) {
    const std::pair<int64_t, int64_t> cases[] = {{649, 650}, {625, 650},   {624, 600},
                                                 {275, 300}, {5000, 2000}, {-40, 300}};
    for (const auto& [given, expected] : cases) {
        EXPECT_EQ(Store::normalizedSwitchDelayMilliseconds(given), expected) << given;
    }
}

class TrackpadSwipeSettingsStoreEditTest : public testing::Test {
public:
    VirtualMainQueue queue;
    ScopedMainQueue scoped{queue};
    UserDefaults defaults;
};

TEST_F(TrackpadSwipeSettingsStoreEditTest, EachDifferingEditRaisesTheRevisionByOne) {
    Store store(defaults);
    store.setSpaceSwitchMode(TrackpadSpaceSwitchMode::afterDelay);
    store.setSwitchDelayMilliseconds(660); // normalises to the 650 already held
    EXPECT_EQ(store.revision.value(), 0);
    EXPECT_TRUE(defaults.keys().empty());

    store.setSwitchDelayMilliseconds(10);
    EXPECT_EQ(defaults.integerValue(Store::switchDelayKey), 300);
    store.setNavigationFingerCount(TrackpadNavigationFingerCount::four);
    EXPECT_EQ(defaults.stringValue(Store::fingerCountKey), "four");
    store.setDirectionReversed(true);
    EXPECT_EQ(defaults.boolValue(Store::directionReversedKey), true);
    EXPECT_EQ(store.revision.value(), 3);
}

TEST_F(TrackpadSwipeSettingsStoreEditTest, WritingTheModeRemovesTheLegacyKey) {
    defaults.set(Store::legacyWhileSwipingKey, true);
    Store store(defaults);
    ASSERT_EQ(store.switchMode(), TrackpadSpaceSwitchMode::whileSwiping);
    store.setSpaceSwitchMode(TrackpadSpaceSwitchMode::afterTap);
    EXPECT_EQ(defaults.stringValue(Store::switchModeKey), "afterTap");
    EXPECT_FALSE(defaults.contains(Store::legacyWhileSwipingKey));
}

} // namespace
} // namespace tessarin
