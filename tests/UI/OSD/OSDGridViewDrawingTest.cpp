#include "Platform/Symbols/SystemSymbolImages.h"
#include "UI/OSD/OSDGridCellRenderer.h"
#include "UI/OSD/OSDGridCellStyle.h"
#include "UI/OSD/OSDGridSpaceManagementControl.h"
#include "UI/OSD/OSDGridView.h"
#include "UI/OSD/OSDGridViewTestSupport.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using testing::appIcon;
using testing::makeModel;
using testing::screenshot;

const QColor red(255, 0, 0);
const QColor green(0, 255, 0);

bool isNear(QColor actual, QColor expected, int tolerance = 24) {
    return std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance &&
           std::abs(actual.alpha() - expected.alpha()) <= tolerance;
}

// Four red screenshots, the active one the second.
OSDGridModel::Fields redGrid() {
    return {.spaceCount = 4,
            .activeIndex = 1,
            .columnCount = 2,
            .cellScreenshots = {{0, screenshot(red)},
                                {1, screenshot(red)},
                                {2, screenshot(red)},
                                {3, screenshot(red)}}};
}

class OSDGridViewDrawingTest : public testing::OSDGridViewTest {
protected:
    OSDGridViewDrawingTest() {
        OSDGridAppearanceSettings settings = OSDGridAppearanceSettings::defaultValue();
        settings.activeColor = *PersistentGridOverlayActiveColor::fromRawValue("00FF00FF");
        settings.activeSpaceGlowOpacity = OSDActiveSpaceGlowOpacity(0);
        settings.appearanceMode = OSDAppearanceMode::dark;
        view.setAppearanceSettings(settings);
    }

    Rect frame(const OSDGridModel& model, int64_t index) const {
        return layoutOf(model).frames()[static_cast<std::size_t>(index)];
    }
    // A point `inset` points inside the cell's left edge, a little above its middle, clear of
    // the scrim's darkest part and of the title.
    static Point leftEdge(const Rect& cell, double inset) {
        return {cell.minX() + inset, cell.minY() + cell.height() * 0.8};
    }
    // A pass onto a screen of `scale` device pixels per point.
    QImage renderAt(double scale) {
        QImage image(static_cast<int>(viewWidth * scale), static_cast<int>(viewHeight * scale),
                     QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(scale);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        view.drawGrid(painter);
        return image;
    }
    static QColor pixelAt(const QImage& image, Point point, double scale) {
        return image.pixelColor(static_cast<int>(point.x * scale),
                                static_cast<int>((viewHeight - point.y) * scale) - 1);
    }
};

TEST_F(OSDGridViewDrawingTest, TheActiveCellIsGrownAndRingedInTheActiveColour) {
    const OSDGridModel model = makeModel(redGrid());
    showStatic(model);
    const QImage image = render();
    const Rect active = frame(model, 1);
    const double grown = active.width() * 0.009;
    // The ring straddles the grown edge, just outside the laid-out frame.
    EXPECT_TRUE(isNear(pixel(image, leftEdge(active, -grown + 0.5)), QColor(0, 255, 0, 255), 60));
    EXPECT_TRUE(isNear(pixel(image, leftEdge(frame(model, 0), 4)), red, 10));
    EXPECT_EQ(pixel(image, leftEdge(frame(model, 0), -1.5)).alpha(), 0);
}

// Repeated passes copy the cells they drew before; a new picture draws afresh.
TEST_F(OSDGridViewDrawingTest, ANewScreenshotIsDrawnAfresh) {
    OSDGridModel::Fields fields = redGrid();
    showStatic(makeModel(fields));
    render();
    fields.cellScreenshots[0] = screenshot(green);
    const OSDGridModel greenFirst = makeModel(fields);
    view.updateVisibleModel(greenFirst);
    EXPECT_TRUE(isNear(pixel(render(), leftEdge(frame(greenFirst, 0), 4)), green, 10));
}

// Bodies made off the main thread when new screenshots arrive, for the cells where the grid was
// last drawn, give the next showing exactly the pixels it would draw itself.
TEST_F(OSDGridViewDrawingTest, BodiesMadeAheadDrawWhatTheViewWouldDraw) {
    OSDGridModel::Fields fields = redGrid();
    fields.obscuredIndices = {3};
    showStatic(makeModel(fields));
    render();
    for (auto& [index, entry] : fields.cellScreenshots) {
        entry = screenshot(QColor::fromHsv(static_cast<int>(index) * 80, 200, 220));
        const auto body =
            OSDGridCellRenderer::prepareScreenshotBody(view.cellSlot(index).value(), entry.image);
        ASSERT_EQ(body.has_value(), index != 3) << "a covered cell's body shows no picture";
        if (body) {
            view.offerPreparedCellPicture(index, *body);
        }
    }
    showStatic(makeModel(fields));
    const QImage drawnAhead = render();
    OSDGridView empty;
    view.adoptLayerCache(empty); // forget every picture: the same pass drawn afresh
    EXPECT_EQ(drawnAhead, render());
}

// A body made ahead serves the next drawing of its cell, whatever the cell's look, and no later
// drawing.
TEST_F(OSDGridViewDrawingTest, ACellTakesABodyMadeAheadOnlyAtItsNextDrawing) {
    OSDGridModel::Fields fields = redGrid();
    fields.obscuredIndices = {3}; // cell 1 is the active one
    showStatic(makeModel(fields));
    render();
    const auto offerMarked = [this](int64_t index, const QImage& picture) {
        auto body =
            OSDGridCellRenderer::prepareScreenshotBody(view.cellSlot(index).value(), picture);
        if (body) {
            body->image.fill(Qt::blue); // tells the body made ahead from one drawn now
            view.offerPreparedCellPicture(index, *body);
        }
    };
    for (auto& [index, entry] : fields.cellScreenshots) {
        entry = screenshot(green);
        offerMarked(index, entry.image);
    }
    const OSDGridModel arrived = makeModel(fields);
    view.updateVisibleModel(arrived);
    const QImage taken = render();
    for (int64_t index = 0; index < 4; ++index) {
        // The covered cell had nothing made ahead: it draws its cover itself.
        EXPECT_EQ(pixel(taken, frame(arrived, index).center()) == QColor(Qt::blue), index != 3)
            << index;
    }

    fields.cellScreenshots[0] = screenshot(green);
    offerMarked(0, fields.cellScreenshots[0].image);
    render(); // draws cell 0 with its earlier picture
    view.updateVisibleModel(makeModel(fields));
    EXPECT_TRUE(isNear(pixel(render(), leftEdge(frame(arrived, 0), 4)), green, 10));
}

// On a screen of either scale a body made ahead from the cell where the grid was last drawn
// serves the cell's next drawing; of two offered before it, the newer.
TEST_F(OSDGridViewDrawingTest, BodiesMadeAheadServeAScaledScreenAndTheNewestWins) {
    for (const double scale : {1.0, 2.0}) {
        SCOPED_TRACE(scale);
        OSDGridModel::Fields fields = redGrid();
        showStatic(makeModel(fields));
        renderAt(scale);
        const auto offerFilled = [this](const OSDGridScreenshotEntry& shot, QColor fill) {
            auto body =
                OSDGridCellRenderer::prepareScreenshotBody(view.cellSlot(0).value(), shot.image);
            body.value().image.fill(fill);
            view.offerPreparedCellPicture(0, body.value());
        };
        offerFilled(screenshot(Qt::cyan), Qt::yellow);
        fields.cellScreenshots[0] = screenshot(green);
        offerFilled(fields.cellScreenshots[0], Qt::blue);
        const OSDGridModel arrived = makeModel(fields);
        view.updateVisibleModel(arrived);
        const QImage drawn = renderAt(scale);
        EXPECT_EQ(pixelAt(drawn, frame(arrived, 0).center(), scale), QColor(Qt::blue));
    }
}

TEST_F(OSDGridViewDrawingTest, NoRingWhileTheHighlightGlides) {
    const OSDGridModel model = makeModel(redGrid());
    view.activeSpaceAnimationEnabled = true;
    view.pendingConfiguredDuration = 1;
    view.pendingVisibleDuration = 1;
    show(OSDGridPresentation::directional({model, 0, 1, TessarinDirectionRight}));
    const Rect active = frame(model, 1);
    const Point ring = leftEdge(active, -active.width() * 0.009 + 0.5);
    // From the first frame of the glide until the highlight comes over the cell, then ringed
    // once it has landed.
    for (const double step : {0.01, 0.05}) {
        queue.advance(step);
        ASSERT_TRUE(view.isActiveOverlayAnimationInFlight());
        EXPECT_FALSE(isNear(pixel(render(), ring), green, 60));
    }
    queue.advance(0.09);
    EXPECT_FALSE(view.isActiveOverlayAnimationInFlight());
    EXPECT_TRUE(isNear(pixel(render(), ring), green, 60));
}

TEST_F(OSDGridViewDrawingTest, AnObscuredCellIsCoveredButKeepsItsBadges) {
    OSDGridModel::Fields fields = redGrid();
    fields.obscuredIndices = {0};
    fields.cellIconStacks = {{0, {appIcon("mail", Qt::blue), appIcon("notes", Qt::blue)}}};
    const OSDGridModel model = makeModel(fields);
    showStatic(model);
    const QImage image = render();
    const Rect cell = frame(model, 0);
    const QColor cover = pixel(image, leftEdge(cell, 6));
    EXPECT_FALSE(isNear(cover, red, 80));
    EXPECT_NEAR(cover.red(), cover.green(), 12);
    const auto badges = OSDGridCellStyle::screenshotBadgeStackFrames(cell, 2);
    EXPECT_TRUE(isNear(pixel(image, badges[1].center()), QColor(Qt::blue), 10));
    // The host's crossed-out eye lies on the cover's centre, and goes with the symbol.
    EXPECT_GT(pixel(image, cell.center()).lightness(), 150);
    host.symbols().withdraw("eye.slash.fill");
    fields.cellScreenshots[0] = screenshot(red); // a new picture, so the cover is drawn afresh
    view.updateVisibleModel(makeModel(fields));
    EXPECT_LT(pixel(render(), cell.center()).lightness(), 110);
}

TEST_F(OSDGridViewDrawingTest, PlaceholdersAreOutlinedAndVirtualSlotsLeftOpen) {
    OSDGridModel::Fields fields = redGrid();
    fields.placeholderIndices = {2};
    fields.cellScreenshots.erase(3);
    fields.virtualDestinationIndices = {3};
    fields.obscuredIndices = {2, 3};
    const OSDGridModel model = makeModel(fields);
    showStatic(model);
    const QImage image = render();
    for (int64_t index : {2, 3}) {
        SCOPED_TRACE(index);
        const Rect cell = frame(model, index);
        // The dashed border runs 0.75 inside the edge; mid-height it is a straight line.
        const QColor border = pixel(image, {cell.minX() + 0.75, cell.midY() + 0.5});
        const QColor border2 = pixel(image, {cell.minX() + 0.75, cell.midY() + 3.5});
        EXPECT_GT(std::max(border.alpha(), border2.alpha()), 60);
    }
    // A virtual slot has no body at all, and neither is covered.
    EXPECT_EQ(pixel(image, frame(model, 3).center()).alpha(), 0);
    EXPECT_LT(pixel(image, frame(model, 2).center()).alpha(), 80);
}

TEST_F(OSDGridViewDrawingTest, ButtonsOnlyInAnInteractiveGrid) {
    OSDGridModel::Fields fields = redGrid();
    fields.placeholderIndices = {2};
    const OSDGridModel model = makeModel(fields);
    showStatic(model);
    const Point addCentre = frame(model, 2).center();
    const Point removeCentre =
        OSDGridSpaceManagementControl::removeControlFrame(frame(model, 3)).center();
    const QImage plain = render();

    OSDGridMouseInteractionContext context;
    context.currentActiveIndex = 1;
    context.onAddSpaceAtPlaceholder = [](int64_t) {};
    context.onRemoveSpace = [](int64_t) {};
    view.setMouseInteractionContext(context);
    view.setHoveredSpaceManagementIndex(3);
    view.updateDisplayedModelFromCurrentPresentation();
    const QImage interactive = render();
    EXPECT_NE(pixel(plain, addCentre), pixel(interactive, addCentre));
    EXPECT_NE(pixel(plain, removeCentre), pixel(interactive, removeCentre));

    // Never on the current Space, however it is hovered.
    const Point activeRemove =
        OSDGridSpaceManagementControl::removeControlFrame(frame(model, 1)).center();
    view.setHoveredSpaceManagementIndex(1);
    EXPECT_EQ(pixel(render(), activeRemove), pixel(plain, activeRemove));
}

TEST_F(OSDGridViewDrawingTest, ADraggedCellFollowsThePointerAndLeavesItsSlotEmpty) {
    OSDGridModel::Fields fields = redGrid();
    fields.cellScreenshots[0] = screenshot(green);
    const OSDGridModel model = makeModel(fields);
    view.setMouseInteractionContext(OSDGridMouseInteractionContext{});
    showStatic(model);
    const OSDGridLayout grown = layoutOf(*model.virtualDragDestinationModel(6, {}));
    OSDGridMouseInteractionState state = *view.mouseInteractionState();
    state.pressedIndex = 0;
    state.pressedPoint = grown.frames()[0].center();
    state.pressedDragOffset = Size{10, 10};
    state.currentDragPoint = Point{200, 40};
    state.dragTargetIndex = 5;
    state.usesExpandedVirtualDragRow = true;
    state.isReordering = true;
    view.setMouseInteractionState(state);
    view.updateDisplayedModelFromCurrentPresentation();
    ASSERT_TRUE(view.displayedModel());
    const OSDGridLayout layout = layoutOf(*view.displayedModel());
    const QImage image = render();
    EXPECT_TRUE(isNear(pixel(image, {190 + 20, 30 + layout.cellSize().height * 0.8}), green, 10));
    const QColor leftBehind = pixel(image, layout.frames()[0].center());
    EXPECT_FALSE(isNear(leftBehind, green, 80));
    EXPECT_GT(leftBehind.alpha(), 0);
}

TEST_F(OSDGridViewDrawingTest, CellsMakingRoomSlideLinearlyForAnEighthOfASecond) {
    const OSDGridModel model = makeModel(redGrid());
    view.setMouseInteractionContext(OSDGridMouseInteractionContext{});
    showStatic(model);
    const OSDGridLayout layout = layoutOf(model);
    OSDGridMouseInteractionState state = *view.mouseInteractionState();
    state.pressedIndex = 0;
    state.pressedPoint = layout.frames()[0].center();
    state.currentDragPoint = layout.frames()[1].center();
    state.dragTargetIndex = 1;
    state.isReordering = true;
    view.setMouseInteractionState(state);
    view.updateDisplayedModelFromCurrentPresentation();
    queue.advance(0.06);
    const double halfway = (layout.frames()[0].minX() + layout.frames()[1].minX()) / 2;
    EXPECT_NEAR(view.resolvedDragItemPositions().at(1).minX(), halfway, 1e-6);
    queue.advance(0.07);
    EXPECT_EQ(view.resolvedDragItemPositions().at(1), layout.frames()[0]);
}

} // namespace
} // namespace tessarin
