#include "Platform/SystemServices.h"
#include "UI/OSD/OSDGridCellRenderer.h"
#include "UI/OSD/OSDWindowTestSupport.h"
#include "UI/Text/TailTruncatingLabel.h"

#include <QRawFont>

namespace tessarin::testing {
namespace {

// The steps marked, in order.
class StepRecorder final : public OSDPresentationMetricsRecording {
public:
    bool isEnabled() const override { return true; }
    OSDPresentationMetricsTraceRef startTrace(const std::string& origin, double) override {
        return std::make_shared<OSDPresentationMetricsTrace>(
            OSDPresentationMetricsTrace{1, origin});
    }
    void mark(const std::string& step, const OSDPresentationMetricsTraceRef&,
              const std::function<OSDPresentationMetricsFields()>& fields) override {
        steps.push_back(step);
        last = fields();
    }
    std::vector<std::string> steps;
    OSDPresentationMetricsFields last;
};

TEST_F(OSDWindowTest, ShowMarksItsStepsAndADisabledShowChangesNothing) {
    StepRecorder recorder;
    OSDWindow marked(&recorder);
    const auto trace = recorder.startTrace("hotkey", 0);
    DisplayOSDSettings disabled;
    disabled.isEnabled = false;
    marked.show(OSDPresentation{OSDGridPresentation::staticGrid(plainModel(4, 2))}, disabled, false,
                OSDGridAppearanceSettings::defaultValue(), OSDDismissalBehavior::timer(), "UUID-A",
                std::nullopt, std::nullopt, nullptr, trace);
    EXPECT_TRUE(recorder.steps.empty());
    EXPECT_EQ(marked.gridWindow(), nullptr);
    marked.show(OSDPresentation{OSDGridPresentation::staticGrid(plainModel(4, 2))}, {}, false,
                OSDGridAppearanceSettings::defaultValue(), OSDDismissalBehavior::timer(), "UUID-A",
                std::nullopt, std::nullopt, nullptr, trace);
    const std::vector<std::string> shown{"osd.window.show.started", "osd.window.rebuilt",
                                         "osd.window.laid-out",     "osd.window.ordered",
                                         "osd.render.pending",      "osd.chrome.refreshed",
                                         "osd.dismissal.scheduled"};
    for (const std::string& step : shown) {
        EXPECT_NE(std::find(recorder.steps.begin(), recorder.steps.end(), step),
                  recorder.steps.end())
            << step;
    }
    marked.suspendForSyntheticEventPosting();
    marked.refreshVisibleGrid(plainModel(4, 2), "UUID-A", false,
                              OSDGridAppearanceSettings::defaultValue(),
                              OSDGridInteractionContextUpdate::preserve(), std::nullopt, trace);
    EXPECT_EQ(recorder.steps.back(), "osd.refresh.aborted");
}

TEST_F(OSDWindowTest, ARefreshBeforeTheFirstDrawingLeavesThatDrawingTheShowingsTrace) {
    StepRecorder recorder;
    OSDWindow marked(&recorder);
    marked.show(OSDPresentation{OSDGridPresentation::staticGrid(plainModel(4, 2, 1))}, {}, false,
                OSDGridAppearanceSettings::defaultValue(), OSDDismissalBehavior::manual(), "UUID-A",
                std::nullopt, std::nullopt, nullptr, recorder.startTrace("hotkey", 0));
    // The Space changes before the window is first drawn; the refresh traces nothing.
    marked.refreshVisibleGrid(plainModel(4, 2, 0), "UUID-A", false,
                              OSDGridAppearanceSettings::defaultValue(),
                              OSDGridInteractionContextUpdate::preserve(), std::nullopt, nullptr);
    ASSERT_NE(marked.gridWindow(), nullptr);
    marked.gridWindow()->grab();
    ASSERT_FALSE(recorder.steps.empty());
    EXPECT_EQ(recorder.steps.back(), "osd.render.drawn");
    EXPECT_EQ(recorder.last.at("activeIndex"), "0");
}

TEST_F(OSDWindowTest, RefreshKeepsOrReplacesTheContextAndOverlaysLeaveTheDismissalAlone) {
    OSDGridMouseInteractionContext context;
    context.footerTitle = "first";
    window.show(OSDPresentation{OSDGridPresentation::staticGrid(plainModel(4, 2))}, {}, false,
                OSDGridAppearanceSettings::defaultValue(), OSDDismissalBehavior::manual(), "UUID-A",
                context, std::nullopt, nullptr, nullptr);
    window.showAdditionalGrid(OSDPresentation{OSDGridPresentation::staticGrid(plainModel(4, 2))},
                              {}, false, OSDGridAppearanceSettings::defaultValue(), std::nullopt,
                              std::nullopt, nullptr, nullptr);
    const auto refresh = [&](std::optional<std::string> display,
                             OSDGridInteractionContextUpdate update) {
        window.refreshVisibleGrid(plainModel(6, 3), display, false,
                                  OSDGridAppearanceSettings::defaultValue(), update,
                                  OSDDismissalUpdate{OSDDismissalBehavior::timer()}, nullptr);
    };
    // No identifier while the primary has one: the overlay under the default key.
    refresh(std::nullopt, OSDGridInteractionContextUpdate::preserve());
    queue.advance(5);
    EXPECT_TRUE(window.isGridVisible("UUID-A"));
    const auto* overlay = window.secondaryGrid(OSDWindow::defaultDisplayKey);
    ASSERT_NE(overlay, nullptr);
    ASSERT_TRUE(overlay->gridView->presentation());
    EXPECT_EQ(overlay->gridView->displayedModel()->spaceCount(), 6);

    refresh("UUID-A", OSDGridInteractionContextUpdate::preserve());
    ASSERT_TRUE(window.currentGridMouseInteractionContext());
    EXPECT_EQ(window.currentGridMouseInteractionContext()->footerTitle, "first");
    refresh("UUID-A", OSDGridInteractionContextUpdate::replace(std::nullopt));
    EXPECT_FALSE(window.currentGridMouseInteractionContext("UUID-A"));
    EXPECT_TRUE(panel().ignoresMouseEvents());
    // The primary's dismissal update arms the timer.
    queue.advance(1.1);
    EXPECT_FALSE(window.isGridVisible("UUID-A"));
}

TEST_F(OSDWindowTest, BackdropRimFadesWithTheGridOpacity) {
    const auto rimAlpha = [this](OSDGridOpacity opacity) {
        DisplayOSDSettings settings;
        settings.gridOpacity = opacity;
        show(plainModel(4, 2), OSDDismissalBehavior::manual(), "UUID-A", std::nullopt, settings);
        OSDBackdropView& backdrop = *window.primaryGrid()->backdrop;
        backdrop.setFill(Qt::transparent); // the rim alone
        QImage image(backdrop.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        backdrop.render(&image, {}, {}, QWidget::DrawChildren);
        return image.pixelColor(0, image.height() / 2).alpha();
    };
    const int whole = rimAlpha(OSDGridOpacity::percent100);
    EXPECT_GT(whole, 8);
    EXPECT_NEAR(rimAlpha(OSDGridOpacity::percent50), whole / 2.0, 1.5);
}

// The grid shown on a display tells where it drew a cell, and its next showing there takes a body
// drawn ahead for that cell.
TEST_F(OSDWindowTest, AGridTellsWhereItDrewACellAndTakesABodyDrawnAheadForIt) {
    const auto draw = [this] {
        QImage image(window.gridView()->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        window.gridView()->drawGrid(painter);
        return image;
    };
    OSDGridModel::Fields fields{
        .spaceCount = 4, .activeIndex = 1, .columnCount = 2, .cellScreenshots = {}};
    fields.cellScreenshots[0] = screenshot(Qt::red);
    show(makeModel(fields));
    draw();
    EXPECT_FALSE(window.cellSlot("UUID-B", 0));
    EXPECT_FALSE(window.hasDrawnCells("UUID-B"));
    EXPECT_TRUE(window.hasDrawnCells("UUID-A"));
    const auto slot = window.cellSlot("UUID-A", 0);
    ASSERT_TRUE(slot);
    fields.cellScreenshots[0] = screenshot(Qt::green);
    auto body =
        OSDGridCellRenderer::prepareScreenshotBody(*slot, fields.cellScreenshots[0].image).value();
    body.image.fill(Qt::blue); // tells the body drawn ahead from one drawn at the showing
    window.offerPreparedCellPicture("UUID-A", 0, body);
    show(makeModel(fields));
    EXPECT_EQ(window.cellSlot("UUID-A", 0)->frame, slot->frame); // known before the first pass
    const QImage shown = draw();
    const Point centre = slot->frame.center();
    EXPECT_EQ(shown.pixelColor(static_cast<int>(centre.x),
                               static_cast<int>(shown.height() - 1 - centre.y)),
              QColor(Qt::blue));
}

TEST_F(OSDWindowTest, ChromeFollowsAppearanceAndCapsItsFonts) {
    struct Case {
        const char* name;
        OSDAppearanceMode mode;
        Appearance host;
        OSDGridSize size;
        QColor title;
        double titlePoints, footerPoints;
    };
    const Case cases[] = {
        {"dark, large: capped", OSDAppearanceMode::dark, Appearance::light, OSDGridSize::large,
         Qt::white, 13.5, 13.0},
        {"automatic follows a light host, medium", OSDAppearanceMode::automatic, Appearance::light,
         OSDGridSize::medium, Qt::black, 12.5, 11.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.system().setAppearance(c.host);
        auto appearance = OSDGridAppearanceSettings::defaultValue();
        appearance.appearanceMode = c.mode;
        // The thinnest ring and no glow keep the grid within a point of the nominal width.
        appearance.activeSpaceBorderWidth = OSDActiveSpaceBorderWidth(1);
        appearance.activeSpaceGlowOpacity = OSDActiveSpaceGlowOpacity(0);
        DisplayOSDSettings settings;
        settings.gridSize = c.size;
        OSDGridMouseInteractionContext context;
        window.show(OSDPresentation{OSDGridPresentation::staticGrid(plainModel(4, 2))}, settings,
                    false, appearance, OSDDismissalBehavior::manual(), "UUID-A", context,
                    std::nullopt, nullptr, nullptr);
        ASSERT_NE(window.gridWindow(), nullptr);
        const OSDGridWindowParts& grid = *window.primaryGrid();
        EXPECT_EQ(grid.headerTitleLabel->palette().color(QPalette::WindowText), c.title);
        // View points are pixels, whatever Qt's points come to on the screen.
        EXPECT_NEAR(QRawFont::fromFont(grid.headerTitleLabel->font()).pixelSize(), c.titlePoints,
                    0.5);
        EXPECT_NEAR(QRawFont::fromFont(grid.footerLabel->font()).pixelSize(), c.footerPoints, 0.5);
        // The app name ends before the Space title, which ends at the header's right edge.
        EXPECT_LT(grid.headerTitleLabel->geometry().right(),
                  grid.headerDetailLabel->geometry().left());
        EXPECT_EQ(grid.headerDetailLabel->geometry().right(), grid.footerLabel->geometry().right());
        // Both line up with the cells' outer edges.
        const QRect view = grid.gridView->geometry();
        const OSDGridLayout cells =
            OSDGridLayout::make(plainModel(4, 2), {view.width() * 1.0, view.height() * 1.0}, 1)
                .value();
        EXPECT_EQ(grid.headerIconView->geometry().left(), std::lround(cells.frames()[0].minX()));
        EXPECT_EQ(grid.footerLabel->geometry().left(), std::lround(cells.frames()[0].minX()));
        EXPECT_EQ(grid.footerLabel->geometry().right() + 1, std::lround(cells.frames()[1].maxX()));
    }
}

// A picker's hint beside both footer buttons is read whole at every size, left of the buttons
// and inside the window.
TEST_F(OSDWindowTest, PickerFooterHintFitsBesideItsButtons) {
    for (const OSDGridSize size :
         {OSDGridSize::medium, OSDGridSize::large, OSDGridSize::extraLarge}) {
        SCOPED_TRACE(static_cast<int>(size));
        DisplayOSDSettings settings;
        settings.gridSize = size;
        OSDGridMouseInteractionContext context;
        context.footerTitle = "Select or drag to re-arrange";
        context.onOpenMissionControl = [] {};
        context.onAddSpaceAtTail = [] {};
        window.show(OSDPresentation{OSDGridPresentation::staticGrid(plainModel(8, 3))}, settings,
                    false, OSDGridAppearanceSettings::defaultValue(),
                    OSDDismissalBehavior::manual(), "UUID-A", context, std::nullopt, nullptr,
                    nullptr);
        ASSERT_NE(window.gridWindow(), nullptr);
        const OSDGridWindowParts& grid = *window.primaryGrid();
        const auto* hint = dynamic_cast<const TailTruncatingLabel*>(grid.footerLabel);
        ASSERT_NE(hint, nullptr);
        EXPECT_EQ(hint->shownText().toStdString(), hint->text().toStdString());
        EXPECT_LT(hint->geometry().right(), grid.footerMissionControlButton->geometry().left());
        EXPECT_GE(hint->geometry().left(), 16);
    }
}

} // namespace
} // namespace tessarin::testing
