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

struct ReplacementCase {
    const char* name;
    int64_t from;
    int64_t count;
    int64_t columns;
    int64_t active;
    bool kept;
};

class OSDGridTransitionReplacingModel : public ::testing::TestWithParam<ReplacementCase> {};

// A move down to cell 4 of six cells in three columns, refreshed by another model.
TEST_P(OSDGridTransitionReplacingModel, KeepsTheAnimationOnlyForTheSameShapeAndTarget) {
    const ReplacementCase& c = GetParam();
    const Transition transition{plainModel(6, 3, 4), c.from, 4, TessarinDirectionDown};
    const auto refreshed = plainModel(c.count, c.columns, c.active);
    Transition expected = transition;
    expected.model = refreshed;
    EXPECT_EQ(transition.replacingModel(refreshed),
              c.kept ? std::optional(expected) : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Models, OSDGridTransitionReplacingModel,
                         ::testing::Values(ReplacementCase{"sameShape", 1, 6, 3, 4, true},
                                           ReplacementCase{"otherColumnCount", 1, 6, 2, 4, false},
                                           ReplacementCase{"otherSpaceCount", 1, 7, 3, 4, false},
                                           ReplacementCase{"activeNotTheTarget", 1, 6, 3, 1, false},
                                           ReplacementCase{"malformed", 4, 6, 3, 4, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OSDPresentationTest, EitherCaseNamesItsModel) {
    const auto still = plainModel(4, 2, 1);
    const Transition move{plainModel(6, 3, 1), 0, 1, TessarinDirectionRight};
    EXPECT_EQ(OSDGridPresentation::staticGrid(still).model(), still);
    EXPECT_EQ(OSDGridPresentation::directional(move).model(), move.model);
    EXPECT_NE(OSDPresentation{OSDGridPresentation::staticGrid(move.model)},
              OSDPresentation{OSDGridPresentation::directional(move)})
        << "the same model shown two ways is two presentations";
}

} // namespace
} // namespace tessarin
