#include "Platform/Input/EventSystem.h"
#include "Platform/MachineInput/MachineInputSession.h"
#include "Platform/MachineInput/MachineMouseFeed.h"
#include "UI/OSD/OSDGridSpaceManagementControl.h"
#include "UI/OSD/OSDGridViewTestSupport.h"

#include <QTest>

namespace tessarin {
namespace {

using Calls = std::vector<std::string>;
using testing::titledModel;

// Qt mouse events on four titled cells in two columns, cell 0 active and cell 1 a placeholder;
// every callback is written down.
class OSDGridViewMouseTest : public testing::OSDGridViewTest {
protected:
    void showGrid(bool allowsSelection = true) {
        OSDGridMouseInteractionContext context;
        context.placeholderIndices = {1};
        context.allowsSelection = allowsSelection;
        context.allowsReordering = true;
        const auto note = [this](std::string what) {
            return [this, what](int64_t i) { calls.push_back(what + std::to_string(i)); };
        };
        context.onSelect = note("select ");
        context.onRemoveSpace = note("remove ");
        context.onAddSpaceAtPlaceholder = note("add ");
        context.onReorder = [this](int64_t s, int64_t d) {
            calls.push_back("reorder " + std::to_string(s) + std::to_string(d) + " shown " +
                            testing::order(view.displayedModel()));
        };
        view.setMouseInteractionContext(context);
        showStatic(model);
    }

    Point cell(int64_t i) const { return frame(i).center(); }
    Rect frame(int64_t i) const { return layoutOf(model).frames()[static_cast<std::size_t>(i)]; }
    Point removeControl(int64_t i) const {
        return OSDGridSpaceManagementControl::removeControlFrame(frame(i)).center();
    }
    // The view's y-up geometry in Qt's widget coordinates.
    static QPoint qt(Point p) { return {int(p.x), int(viewHeight - p.y)}; }
    void press(Point p) { QTest::mousePress(&view, Qt::LeftButton, {}, qt(p)); }
    void dragTo(Point p) { QTest::mouseMove(&view, qt(p)); }
    void release(Point p) { QTest::mouseRelease(&view, Qt::LeftButton, {}, qt(p)); }

    OSDGridModel model = titledModel(4, 2, 0, {1});
    Calls calls;
};

TEST_F(OSDGridViewMouseTest, AClickSelectsOnlyWhereSelectionIsAllowed) {
    showGrid(false);
    press(cell(3));
    release(cell(3));
    EXPECT_FALSE(view.mouseInteractionState()->pressedIndex);
    showGrid(true);
    press(cell(3));
    release(cell(3));
    EXPECT_EQ(calls, Calls{"select 3"});
}

TEST_F(OSDGridViewMouseTest, ControlsFireOnlyWhenReleasedOnThemselvesAndNeverDrag) {
    showGrid();
    const Point add = OSDGridSpaceManagementControl::addControlFrame(frame(1)).center();
    press(removeControl(2));
    release(removeControl(3));
    press(add);
    dragTo(cell(3));
    EXPECT_FALSE(view.dragRenderState());
    release(cell(3));
    EXPECT_TRUE(calls.empty());
    press(removeControl(2));
    release(removeControl(2));
    EXPECT_EQ(view.hoveredSpaceManagementIndex(), 2);
    press(add);
    release(add);
    EXPECT_EQ(calls, (Calls{"remove 2", "add 1"}));
}

// Moves without a button only hover: the control shows on cells that may have one.
TEST_F(OSDGridViewMouseTest, HoverFollowsThePointerOntoCellsThatShowAControl) {
    showGrid();
    const struct {
        Point to;
        std::optional<int64_t> hovered;
    } moves[] = {
        {cell(2), 2}, {cell(0), std::nullopt}, {cell(3), 3}, {{1, 1}, std::nullopt}, {cell(2), 2}};
    for (const auto& move : moves) {
        QMouseEvent event(QEvent::MouseMove, qt(move.to), view.mapToGlobal(qt(move.to)),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &event);
        EXPECT_EQ(view.hoveredSpaceManagementIndex(), move.hovered);
    }
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&view, &leave);
    EXPECT_FALSE(view.hoveredSpaceManagementIndex());
    EXPECT_TRUE(calls.empty());
}

TEST_F(OSDGridViewMouseTest, ADropShowsTheNewOrderBeforeReportingIt) {
    showGrid();
    press(cell(0));
    dragTo(cell(2));
    ASSERT_TRUE(view.dragRenderState());
    // Cell 2 slides into slot 0 in 0.12 s.
    queue.advance(0.03);
    EXPECT_NEAR(view.resolvedDragItemPositions().at(2).minY(),
                frame(2).minY() + (frame(0).minY() - frame(2).minY()) * 0.25, 1e-6);
    dragTo(cell(3));
    release(cell(3));
    EXPECT_EQ(calls, Calls{"reorder 03 shown 3120"});
    EXPECT_FALSE(view.dragRenderState());
}

// In the program every press and release goes through the host's session first; the moves
// between them wait behind the press.
TEST_F(OSDGridViewMouseTest, ADragThroughTheHostsSessionStillReorders) {
    MachineInputSession session{host.events()};
    MachineMouseFeed feed{session, host};
    showGrid();
    press(cell(0));
    dragTo(cell(2));
    EXPECT_FALSE(view.dragRenderState()) << "nothing overtakes the press on its way";
    queue.runUntilIdle();
    ASSERT_TRUE(view.dragRenderState());
    dragTo(cell(3));
    release(cell(3));
    queue.runUntilIdle();
    EXPECT_EQ(calls, Calls{"reorder 03 shown 3120"});
    EXPECT_EQ(host.events().frontApplicationEvents(EventType::leftMouseUp).size(), 1u);
    EXPECT_EQ(session.pendingCount(), 0u);
}

} // namespace
} // namespace tessarin
