#include "UI/OSD/OSDGridTestSupport.h"
#include "UI/OSD/OSDPresentation.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using testing::plainModel;

TEST(OSDGridDirectionalTransitionTest, WellFormedness) {
    const auto model = plainModel(6, 3, 4);
    EXPECT_TRUE((OSDGridDirectionalTransition{model, 1, 4, TessarinDirectionDown}.isWellFormed()));
    EXPECT_FALSE((OSDGridDirectionalTransition{model, 4, 4, TessarinDirectionDown}.isWellFormed()));
    EXPECT_FALSE((OSDGridDirectionalTransition{model, 6, 4, TessarinDirectionDown}.isWellFormed()));
    EXPECT_FALSE((OSDGridDirectionalTransition{model, 1, -1, TessarinDirectionUp}.isWellFormed()));
    EXPECT_FALSE((OSDGridDirectionalTransition{model, 1, 4, 4}.isWellFormed()));
}

struct ReplacementCase {
    const char* name;
    int64_t count;
    int64_t columns;
    int64_t active;
    bool kept;
};

class OSDGridTransitionReplacingModel : public ::testing::TestWithParam<ReplacementCase> {};

TEST_P(OSDGridTransitionReplacingModel, KeepsTheAnimationOnlyForTheSameShapeAndTarget) {
    const OSDGridDirectionalTransition transition{plainModel(6, 3, 4), 1, 4, TessarinDirectionDown};
    const ReplacementCase& c = GetParam();
    const auto refreshed = plainModel(c.count, c.columns, c.active);
    const auto replaced = transition.replacingModel(refreshed);
    ASSERT_EQ(replaced.has_value(), c.kept);
    if (replaced) {
        EXPECT_EQ(replaced->model, refreshed);
        EXPECT_EQ(replaced->fromIndex, 1);
        EXPECT_EQ(replaced->toIndex, 4);
        EXPECT_EQ(replaced->direction, TessarinDirectionDown);
    }
}

INSTANTIATE_TEST_SUITE_P(Models, OSDGridTransitionReplacingModel,
                         ::testing::Values(ReplacementCase{"sameShape", 6, 3, 4, true},
                                           ReplacementCase{"otherColumnCount", 6, 2, 4, false},
                                           ReplacementCase{"otherSpaceCount", 7, 3, 4, false},
                                           ReplacementCase{"activeNotTheTarget", 6, 3, 1, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OSDGridDirectionalTransitionTest, MalformedTransitionIsNotCarriedOver) {
    const OSDGridDirectionalTransition stuck{plainModel(6, 3, 4), 4, 4, TessarinDirectionDown};
    EXPECT_FALSE(stuck.replacingModel(plainModel(6, 3, 4)));
}

TEST(OSDPresentationTest, CasesAndTheirModels) {
    const auto model = plainModel(4, 2, 1);
    const auto fixed = OSDGridPresentation::staticGrid(model);
    EXPECT_FALSE(fixed.isDirectional());
    ASSERT_NE(fixed.staticModel(), nullptr);
    EXPECT_EQ(fixed.directionalTransition(), nullptr);
    EXPECT_EQ(fixed.model(), model);

    const OSDGridDirectionalTransition move{model, 0, 1, TessarinDirectionRight};
    const auto moving = OSDGridPresentation::directional(move);
    EXPECT_TRUE(moving.isDirectional());
    EXPECT_EQ(moving.staticModel(), nullptr);
    EXPECT_EQ(*moving.directionalTransition(), move);
    EXPECT_EQ(moving.model(), model);

    EXPECT_NE(OSDPresentation{fixed}, OSDPresentation{moving})
        << "the same model shown two ways is two presentations";
    EXPECT_EQ(OSDPresentation{moving}, OSDPresentation{OSDGridPresentation::directional(move)});
}

} // namespace
} // namespace tessarin
