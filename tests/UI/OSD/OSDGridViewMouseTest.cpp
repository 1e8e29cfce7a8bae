#include "UI/OSD/OSDGridSpaceManagementControl.h"
#include "UI/OSD/OSDGridViewTestSupport.h"

#include <QMouseEvent>
#include <QTest>
#include <string>
#include <vector>

namespace tessarin {
namespace {

using testing::order;
using testing::titledModel;

// Clicks and drags through Qt's own mouse events; every callback is written down in order.
class OSDGridViewMouseTest : public testing::OSDGridViewTest {
protected:
    // Four titled Spaces in two columns, cell 0 active, with `placeholders`.
    void showGrid(std::set<int64_t> placeholders = {}) {
        model = titledModel(4, 2, 0, std::move(placeholders));
        OSDGridMouseInteractionContext context;
        context.currentActiveIndex = 0;
        context.placeholderIndices = model.placeholderIndices();
        context.cellTitles = model.cellTitles();
        context.allowsSelection = allowsSelection;
        context.allowsReordering = true;
        context.onSelect = [this](int64_t i) { calls.push_back("select " + std::to_string(i)); };
        context.onReorder = [this](int64_t s, int64_t d) {
            calls.push_back("reorder " + std::to_string(s) + "→" + std::to_string(d) + " shown " +
                            order(view.displayedModel()));
        };
        context.onRemoveSpace = [this](int64_t i) {
            calls.push_back("remove " + std::to_string(i));
        };
        context.onAddSpaceAtPlaceholder = [this](int64_t i) {
            calls.push_back("add " + std::to_string(i));
        };
        view.setMouseInteractionContext(context);
        showStatic(model);
    }

    Rect cell(int64_t index) const {
        return layoutOf(model).frames()[static_cast<std::size_t>(index)];
    }
    Point removeControl(int64_t index) const {
        return OSDGridSpaceManagementControl::removeControlFrame(cell(index)).center();
    }
    Point addControl(int64_t index) const {
        return OSDGridSpaceManagementControl::addControlFrame(cell(index)).center();
    }
    // The view's y-up geometry in Qt's widget coordinates.
    static QPoint qt(Point point) {
        return {static_cast<int>(point.x), static_cast<int>(viewHeight - point.y)};
    }
    void press(Point point) { QTest::mousePress(&view, Qt::LeftButton, {}, qt(point)); }
    void dragTo(Point point) { QTest::mouseMove(&view, qt(point)); }
    // A move with no button held, as mouse tracking reports it.
    void hover(Point point) {
        QMouseEvent event(QEvent::MouseMove, QPointF(qt(point)),
                          view.mapToGlobal(QPointF(qt(point))), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&view, &event);
    }
    void release(Point point) { QTest::mouseRelease(&view, Qt::LeftButton, {}, qt(point)); }
    void click(Point point) {
        press(point);
        release(point);
    }

    bool allowsSelection = true;
    OSDGridModel model = titledModel(4, 2);
    std::vector<std::string> calls;
};

TEST_F(OSDGridViewMouseTest, AClickOnACellSelectsItOnce) {
    showGrid();
    click(cell(3).center());
    EXPECT_EQ(calls, std::vector<std::string>{"select 3"});
    EXPECT_FALSE(view.mouseInteractionState()->pressedIndex);
}

TEST_F(OSDGridViewMouseTest, WithoutSelectionAClickOnlyEndsThePress) {
    allowsSelection = false;
    showGrid();
    click(cell(3).center());
    EXPECT_TRUE(calls.empty());
    ASSERT_TRUE(view.mouseInteractionState());
    EXPECT_FALSE(view.mouseInteractionState()->pressedIndex);
}

TEST_F(OSDGridViewMouseTest, ARemoveControlFiresOnlyWhenReleasedOnItself) {
    showGrid();
    press(removeControl(2));
    release(removeControl(2));
    EXPECT_EQ(calls, std::vector<std::string>{"remove 2"});
    calls.clear();
    press(removeControl(2));
    release(removeControl(1));
    EXPECT_TRUE(calls.empty());
}

TEST_F(OSDGridViewMouseTest, DraggingFromAnAddControlNeitherReordersNorSelects) {
    showGrid({1});
    press(addControl(1));
    dragTo(cell(3).center());
    release(cell(3).center());
    EXPECT_TRUE(calls.empty());
    EXPECT_FALSE(view.dragRenderState());
    press(addControl(1));
    release(addControl(1));
    EXPECT_EQ(calls, std::vector<std::string>{"add 1"});
}

TEST_F(OSDGridViewMouseTest, ADropShowsTheNewOrderBeforeReportingIt) {
    showGrid();
    press(cell(0).center());
    dragTo(cell(1).center());
    dragTo(cell(3).center());
    ASSERT_TRUE(view.dragRenderState());
    EXPECT_EQ(view.dragRenderState()->destinationIndex, 3);
    release(cell(3).center());
    EXPECT_EQ(calls, std::vector<std::string>{"reorder 0→3 shown 3120"});
    EXPECT_FALSE(view.dragRenderState());
}

TEST_F(OSDGridViewMouseTest, CellsMakeRoomForTheDraggedOneOnTheVirtualClock) {
    showGrid();
    press(cell(0).center());
    dragTo(cell(1).center());
    ASSERT_TRUE(view.dragRenderState());
    // Cell 1 slides from its own slot into slot 0 in 0.12 s.
    EXPECT_EQ(view.resolvedDragItemPositions().at(1), cell(1));
    queue.advance(0.03);
    EXPECT_NEAR(view.resolvedDragItemPositions().at(1).minX(),
                cell(1).minX() + (cell(0).minX() - cell(1).minX()) * 0.25, 1e-6);
    queue.advance(0.1);
    EXPECT_EQ(view.resolvedDragItemPositions().at(1), cell(0));
}

TEST_F(OSDGridViewMouseTest, HoverShowsControlsOnlyWhereACellHasOne) {
    showGrid();
    hover(cell(2).center());
    EXPECT_EQ(view.hoveredSpaceManagementIndex(), 2);
    // The active cell has no remove control.
    hover(cell(0).center());
    EXPECT_FALSE(view.hoveredSpaceManagementIndex());
    hover(cell(1).center());
    EXPECT_EQ(view.hoveredSpaceManagementIndex(), 1);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&view, &leave);
    EXPECT_FALSE(view.hoveredSpaceManagementIndex());
}

TEST_F(OSDGridViewMouseTest, AGridWithoutContextTakesNoPointer) {
    model = titledModel(4, 2);
    showStatic(model);
    click(cell(2).center());
    hover(cell(2).center());
    EXPECT_FALSE(view.mouseInteractionState());
    EXPECT_FALSE(view.hoveredSpaceManagementIndex());
    EXPECT_FALSE(view.acceptsFirstMouse());
}

} // namespace
} // namespace tessarin
