#include "UI/OSD/OSDDismissalBehavior.h"

#include "Platform/Input/Event.h"
#include "UI/OSD/OSDDismissalUpdate.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

TEST(OSDDismissalBehaviorTest, WatchesOnlyShortcutModifiers) {
    const auto behavior = OSDDismissalBehavior::untilModifiersReleased(
        EventFlags::maskControl | EventFlags::maskCommand | EventFlags::maskAlphaShift |
        EventFlags::maskNumericPad);
    EXPECT_EQ(behavior.watchedModifierFlags(), EventFlags::maskControl | EventFlags::maskCommand);
    EXPECT_FALSE(behavior.hidesAfterDisplayTime());
}

TEST(OSDDismissalBehaviorTest, WithoutHeldModifiersItHidesLikeATimer) {
    EXPECT_TRUE(OSDDismissalBehavior::untilModifiersReleased(0).hidesAfterDisplayTime());
    EXPECT_TRUE(OSDDismissalBehavior::untilModifiersReleased(EventFlags::maskAlphaShift)
                    .hidesAfterDisplayTime());
    EXPECT_TRUE(OSDDismissalBehavior::timer().hidesAfterDisplayTime());
    EXPECT_FALSE(OSDDismissalBehavior::manual().hidesAfterDisplayTime());
}

TEST(OSDDismissalBehaviorTest, EqualityComparesTheFlagsAsAWhole) {
    const uint64_t held = EventFlags::maskControl | EventFlags::maskAlternate;
    EXPECT_EQ(OSDDismissalBehavior::untilModifiersReleased(held),
              OSDDismissalBehavior::untilModifiersReleased(held));
    EXPECT_NE(OSDDismissalBehavior::untilModifiersReleased(held),
              OSDDismissalBehavior::untilModifiersReleased(held | EventFlags::maskAlphaShift));
    EXPECT_NE(OSDDismissalBehavior::untilModifiersReleased(0), OSDDismissalBehavior::timer());
    EXPECT_NE(OSDDismissalBehavior::timer(), OSDDismissalBehavior::manual());
}

TEST(OSDDismissalBehaviorTest, UpdateCarriesOptionalCallbacks) {
    int started = 0;
    const OSDDismissalUpdate update{
        OSDDismissalBehavior::manual(),
        OSDDismissalCallbacks{.onDismissalStarted = [&] { ++started; }}};
    ASSERT_TRUE(update.callbacks);
    update.callbacks->onDismissalStarted();
    EXPECT_EQ(started, 1);
    EXPECT_FALSE(update.callbacks->onHidden);
    EXPECT_FALSE(update.callbacks->hidesImmediatelyBeforeDismissalStarted);
    EXPECT_FALSE(OSDDismissalUpdate{}.callbacks);
}

} // namespace
} // namespace tessarin
