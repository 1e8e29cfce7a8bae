#include "UI/OSD/OSDDismissalBehavior.h"

#include "Platform/Input/Event.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

TEST(OSDDismissalBehaviorTest, WatchesOnlyShortcutModifiers) {
    const auto behavior = OSDDismissalBehavior::untilModifiersReleased(
        EventFlags::maskControl | EventFlags::maskCommand | EventFlags::maskAlphaShift |
        EventFlags::maskNumericPad);
    EXPECT_EQ(behavior.watchedModifierFlags(), EventFlags::maskControl | EventFlags::maskCommand);
    EXPECT_FALSE(behavior.hidesAfterDisplayTime());
    EXPECT_EQ(OSDDismissalBehavior::timer().watchedModifierFlags(), 0u);
}

TEST(OSDDismissalBehaviorTest, WithoutHeldShortcutModifiersItHidesLikeATimer) {
    EXPECT_TRUE(OSDDismissalBehavior::untilModifiersReleased(0).hidesAfterDisplayTime());
    EXPECT_TRUE(OSDDismissalBehavior::untilModifiersReleased(EventFlags::maskAlphaShift)
                    .hidesAfterDisplayTime());
    EXPECT_TRUE(OSDDismissalBehavior::timer().hidesAfterDisplayTime());
    EXPECT_FALSE(OSDDismissalBehavior::manual().hidesAfterDisplayTime());
}

} // namespace
} // namespace tessarin
