#include "UI/OSD/OSDGridTestSupport.h"
#include "UI/OSD/OSDPresentation.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using testing::plainModel;
using Transition = OSDGridDirectionalTransition;

TEST(OSDGridDirectionalTransitionTest, IsWellFormedOnlyAsAMoveToTheActiveCell) {
    const auto model = plainModel(6, 3, 4);
    EXPECT_TRUE((Transition{model, 1, 4, TessarinDirectionDown}.isWellFormed()));
    EXPECT_FALSE((Transition{model, 4, 4, TessarinDirectionDown}.isWellFormed()));
    EXPECT_FALSE((Transition{model, 6, 4, TessarinDirectionDown}.isWellFormed()));
    EXPECT_FALSE((Transition{model, 1, -1, TessarinDirectionUp}.isWellFormed()));
    EXPECT_FALSE((Transition{model, 1, 4, 4}.isWellFormed()));
}

// Whether a move down from `from` to cell 4 of six cells in three columns keeps animating when
// the model is refreshed to `refreshed`; a kept animation shows the refreshed model.
bool keepsAnimating(int64_t from, const OSDGridModel& refreshed) {
    const Transition transition{plainModel(6, 3, 4), from, 4, TessarinDirectionDown};
    const Transition refreshedMove{refreshed, from, 4, TessarinDirectionDown};
    const auto replaced = transition.replacingModel(refreshed);
    EXPECT_EQ(replaced.value_or(refreshedMove), refreshedMove);
    return replaced.has_value();
}

TEST(OSDGridDirectionalTransitionTest, RefreshKeepsTheAnimationOnlyForTheSameShapeAndTarget) {
    EXPECT_TRUE(keepsAnimating(
        1,
        testing::makeModel({.spaceCount = 6, .activeIndex = 4, .title = "New", .columnCount = 3})));
    EXPECT_FALSE(keepsAnimating(1, plainModel(6, 2, 4))) << "another column count";
    EXPECT_FALSE(keepsAnimating(1, plainModel(7, 3, 4))) << "another Space count";
    EXPECT_FALSE(keepsAnimating(1, plainModel(6, 3, 1))) << "the target is no longer active";
    EXPECT_FALSE(keepsAnimating(4, plainModel(6, 3, 4))) << "a malformed move";
}

} // namespace
} // namespace tessarin
