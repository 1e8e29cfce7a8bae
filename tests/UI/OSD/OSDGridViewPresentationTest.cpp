#include "Core/Fakes/RecordingSeams.h"
#include "UI/OSD/OSDGridView.h"
#include "UI/OSD/OSDGridViewTestSupport.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using testing::makeModel;
using testing::plainModel;

// A 2 × 2 grid whose active cell moves from `from` to `to`.
OSDGridPresentation move(int64_t from, int64_t to, TessarinDirection direction) {
    return OSDGridPresentation::directional({plainModel(4, 2, to), from, to, direction});
}

class OSDGridViewPresentationTest : public testing::OSDGridViewTest {
protected:
    OSDGridViewPresentationTest() {
        view.activeSpaceAnimationEnabled = true;
        view.displayedModelDidChange = [this](const OSDGridModel& model) {
            notified.push_back(model);
        };
    }

    void showMove(double configured, double visible,
                  OSDGridPresentation presentation = move(0, 1, TessarinDirectionRight)) {
        view.pendingConfiguredDuration = configured;
        view.pendingVisibleDuration = visible;
        show(presentation);
    }

    // How long the highlight stays in flight, to the millisecond.
    double flightTime() {
        double elapsed = 0;
        while (view.isActiveOverlayAnimationInFlight() && elapsed < 5) {
            queue.advance(0.001);
            elapsed += 0.001;
        }
        return std::round(elapsed * 1000) / 1000;
    }

    std::vector<OSDGridModel> notified;
};

TEST_F(OSDGridViewPresentationTest, RenderingWithoutAPendingPresentationChangesNothing) {
    view.renderPendingPresentation();
    EXPECT_FALSE(view.presentation());
    EXPECT_FALSE(view.displayedModel());
    EXPECT_TRUE(notified.empty());
}

TEST_F(OSDGridViewPresentationTest, TheHighlightGlidesForAtMostTheFixedMoveTime) {
    struct Case {
        const char* name;
        double configured, visible, flight;
    };
    for (const Case& c : {Case{"long showing", 10, 9.8, 0.14}, Case{"short showing", 10, 0.1, 0.1},
                          Case{"short configured time", 0.1, 5, 0.14}}) {
        SCOPED_TRACE(c.name);
        showMove(c.configured, c.visible);
        EXPECT_FALSE(view.activeHighlight().hidden);
        EXPECT_DOUBLE_EQ(flightTime(), c.flight);
        EXPECT_TRUE(view.activeHighlight().hidden);
    }
}

TEST_F(OSDGridViewPresentationTest, NoHighlightWithoutAnimationOrVisibleTime) {
    view.activeSpaceAnimationEnabled = false;
    showMove(1, 1);
    EXPECT_FALSE(view.isActiveOverlayAnimationInFlight());
    view.activeSpaceAnimationEnabled = true;
    showMove(1, 0);
    EXPECT_FALSE(view.isActiveOverlayAnimationInFlight());
    EXPECT_TRUE(view.activeHighlight().hidden);
    EXPECT_EQ(notified.size(), 2u);
}

TEST_F(OSDGridViewPresentationTest, ADirectMoveEasesFromCellToCell) {
    showMove(1, 1);
    const OSDGridLayout layout = layoutOf(plainModel(4, 2));
    const Point from = layout.frames()[0].center();
    const Point to = layout.frames()[1].center();
    const double start = queue.now();
    auto xAt = [&](double t) {
        return view.activeHighlight().presentedFrame(start + t).center().x;
    };
    EXPECT_DOUBLE_EQ(xAt(0), from.x);
    EXPECT_NEAR(xAt(0.07), (from.x + to.x) / 2, 1e-6);
    // Eased: a quarter of the way through time it has covered less than a quarter of the way.
    EXPECT_LT(xAt(0.035) - from.x, (to.x - from.x) / 4);
    EXPECT_DOUBLE_EQ(xAt(0.14), to.x);
}

TEST_F(OSDGridViewPresentationTest, AWrappedMoveLeavesFadedAndComesBackFromTheOtherSide) {
    showMove(1, 1, move(3, 0, TessarinDirectionRight));
    const OSDGridLayout layout = layoutOf(plainModel(4, 2));
    const double start = queue.now();
    const OSDGridActiveHighlight& highlight = view.activeHighlight();
    EXPECT_FLOAT_EQ(highlight.presentedOpacity(start + 0.035), 0.5f);
    EXPECT_NEAR(highlight.presentedOpacity(start + 0.07), 0.0f, 1e-3);
    EXPECT_GT(highlight.presentedFrame(start + 0.069).center().x, layout.frames()[3].center().x);
    EXPECT_LT(highlight.presentedFrame(start + 0.071).center().x, layout.frames()[0].center().x);
    EXPECT_FLOAT_EQ(highlight.presentedOpacity(start + 0.14), 1.0f);
}

TEST_F(OSDGridViewPresentationTest, ASecondMoveOutlivesTheFirstOnesEnd) {
    showMove(1, 1);
    queue.advance(0.1);
    showMove(1, 1, move(1, 3, TessarinDirectionDown));
    queue.advance(0.1);
    EXPECT_TRUE(view.isActiveOverlayAnimationInFlight());
    queue.advance(0.041);
    EXPECT_FALSE(view.isActiveOverlayAnimationInFlight());
}

TEST_F(OSDGridViewPresentationTest, ARenderThatCannotBeLaidOutTellsNobody) {
    view.resize(10, 10);
    showMove(1, 1);
    EXPECT_TRUE(notified.empty());
    EXPECT_TRUE(view.displayedModel());
    view.updateVisibleModel(plainModel(4, 2, 1));
    EXPECT_EQ(notified.size(), 1u);
}

TEST_F(OSDGridViewPresentationTest, RefreshingInPlace) {
    view.updateVisibleModel(plainModel(4, 2));
    EXPECT_FALSE(view.presentation());

    showMove(1, 1);
    view.updateVisibleModel(plainModel(4, 2, 1));
    ASSERT_TRUE(view.presentation());
    EXPECT_TRUE(view.presentation()->isDirectional());
    EXPECT_TRUE(view.isActiveOverlayAnimationInFlight());

    // Another shape ends the move's presentation but not the glide already under way.
    view.updateVisibleModel(plainModel(6, 2, 1));
    ASSERT_TRUE(view.presentation());
    EXPECT_FALSE(view.presentation()->isDirectional());
    EXPECT_TRUE(view.isActiveOverlayAnimationInFlight());
    view.updateVisibleModel(plainModel(6, 2, 5));
    EXPECT_EQ(view.activeHighlight().frame, layoutOf(plainModel(6, 2)).frames()[5]);
}

TEST_F(OSDGridViewPresentationTest, ResetKeepsTheContextAndTheLook) {
    OSDGridMouseInteractionContext context;
    context.allowsKeyboardSelection = false;
    view.setMouseInteractionContext(context);
    EXPECT_TRUE(view.acceptsFirstMouse());
    EXPECT_FALSE(view.acceptsFirstResponder());
    showMove(1, 1);
    view.reset();
    EXPECT_FALSE(view.presentation());
    EXPECT_FALSE(view.mouseInteractionState());
    EXPECT_FALSE(view.isActiveOverlayAnimationInFlight());
    view.setMouseInteractionContext(view.mouseInteractionContext());
    EXPECT_TRUE(view.mouseInteractionState());
}

TEST_F(OSDGridViewPresentationTest, AReplacedContextKeepsADragGoing) {
    view.setMouseInteractionContext(OSDGridMouseInteractionContext{});
    OSDGridMouseInteractionState dragging = *view.mouseInteractionState();
    dragging.pressedIndex = 0;
    dragging.isReordering = true;
    view.setMouseInteractionState(dragging);
    view.replaceMouseInteractionModel(plainModel(4, 2, 2));
    ASSERT_TRUE(view.mouseInteractionContext());
    EXPECT_EQ(view.mouseInteractionContext()->currentActiveIndex, 2);
    ASSERT_TRUE(view.mouseInteractionState());
    EXPECT_TRUE(view.mouseInteractionState()->isReordering);
}

TEST_F(OSDGridViewPresentationTest, APassMarksItsTraceAndRunsTheFirstRenderCallbackOnce) {
    fakes::RecordingMetrics metrics;
    view.metrics = &metrics;
    int calls = 0;
    showStatic(plainModel(4, 2, 3));
    view.pendingRenderMetricsTrace = metrics.startTrace("hotkey", 0);
    view.pendingAfterFirstRender = [&calls] { ++calls; };
    render();
    EXPECT_EQ(calls, 0);
    render();
    queue.runUntilIdle();
    EXPECT_EQ(calls, 1);
    ASSERT_EQ(metrics.marks.size(), 1u);
    EXPECT_EQ(metrics.marks[0].step, "osd.render.drawn");
    EXPECT_EQ(metrics.marks[0].fields.at("activeIndex"), "3");
}

} // namespace
} // namespace tessarin
