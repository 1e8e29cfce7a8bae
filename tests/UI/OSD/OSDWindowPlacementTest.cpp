#include "Platform/Symbols/SystemSymbolImages.h"
#include "UI/OSD/OSDGridWindowMetrics.h"
#include "UI/OSD/OSDWindowTestSupport.h"
#include "UI/Preferences/Kit/ProgramPalette.h"
#include "UI/Text/TailTruncatingLabel.h"

#include <QPainter>
#include <QTest>

namespace tessarin::testing {
namespace {

TEST(OSDGridWindowMetricsTest, BodyWidthFollowsTheSizeAndTheInset) {
    const OSDGridModel nine = plainModel(9, 3);
    const Size plain = OSDGridWindowMetrics::gridBodySize(nine, OSDGridSize::large, 0);
    const Size inset = OSDGridWindowMetrics::gridBodySize(nine, OSDGridSize::large, 3);
    EXPECT_DOUBLE_EQ(plain.width, 552);
    EXPECT_DOUBLE_EQ(inset.width, 558);
    EXPECT_DOUBLE_EQ(inset.height, plain.height + 6);
    // The header band: 28.8 for the icon plus twice the 26-point margin, less the 8 above.
    const Size window = OSDGridWindowMetrics::windowSize(nine, OSDGridSize::large, false, 0);
    EXPECT_DOUBLE_EQ(window.width, 552);
    EXPECT_NEAR(window.height, plain.height + 72.8, 1e-9);
    EXPECT_GT(OSDGridWindowMetrics::windowSize(nine, OSDGridSize::large, true, 0).height,
              window.height);
}

TEST(OSDGridWindowMetricsTest, HeaderTitleFallsBackToTheSpaceNumber) {
    EXPECT_EQ(gridHeaderTitle(plainModel(4, 2, 2)), "Space 3");
    EXPECT_EQ(gridHeaderTitle(std::nullopt), "");
}

TEST_F(OSDWindowTest, WindowIsPlacedOnTheRequestedScreenInHostCoordinates) {
    struct Case {
        const char* name;
        std::optional<std::string> display;
        OSDPlacement placement;
        Rect visibleFrame;
    };
    const Case cases[] = {
        {"centre of B", "UUID-B", OSDPlacement::center, Rect(1440, 0, 1920, 1055)},
        {"unknown display: under the pointer", "UUID-X", OSDPlacement::center,
         Rect(0, 0, 1440, 875)},
        {"top left of A keeps 24 points", "UUID-A", OSDPlacement::topLeft, Rect(0, 0, 1440, 875)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DisplayOSDSettings settings;
        settings.gridPlacement = c.placement;
        settings.gridSize = OSDGridSize::medium;
        show(plainModel(4, 2), OSDDismissalBehavior::manual(), c.display, std::nullopt, settings);
        ASSERT_NE(window.gridWindow(), nullptr);
        const Rect frame = panel().hostFrame();
        EXPECT_GE(frame.width(), 276);
        if (c.placement == OSDPlacement::center) {
            EXPECT_NEAR(frame.midX(), c.visibleFrame.midX(), 1e-9);
            EXPECT_NEAR(frame.midY(), c.visibleFrame.midY(), 1e-9);
        } else {
            EXPECT_NEAR(frame.minX(), c.visibleFrame.minX() + 24, 1e-9);
            EXPECT_NEAR(frame.maxY(), c.visibleFrame.maxY() - 24, 1e-9);
        }
        // Qt's frame is the host frame flipped against the 900-point main screen.
        EXPECT_EQ(panel().geometry().top(), static_cast<int>(std::lround(900 - frame.maxY())));
        EXPECT_TRUE(window.isGridVisible(c.display));
    }
}

TEST_F(OSDWindowTest, ARefreshThatGrowsTheGridKeepsTheTopEdgeAndStaysOnScreen) {
    struct Case {
        const char* name;
        OSDPlacement placement;
        bool keepsTop;
    };
    const Case cases[] = {
        {"top left: grows downwards", OSDPlacement::topLeft, true},
        {"bottom left: pushed back up from the bottom edge", OSDPlacement::bottomLeft, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DisplayOSDSettings settings;
        settings.gridPlacement = c.placement;
        show(plainModel(4, 2), OSDDismissalBehavior::manual(), "UUID-A", std::nullopt, settings);
        ASSERT_NE(window.gridWindow(), nullptr);
        const Rect before = panel().hostFrame();
        window.refreshVisibleGrid(
            plainModel(8, 2), "UUID-A", false, OSDGridAppearanceSettings::defaultValue(),
            OSDGridInteractionContextUpdate::preserve(), std::nullopt, nullptr);
        const Rect after = panel().hostFrame();
        EXPECT_GT(after.height(), before.height());
        EXPECT_DOUBLE_EQ(after.midX(), before.midX());
        if (c.keepsTop) {
            EXPECT_DOUBLE_EQ(after.maxY(), before.maxY());
        } else {
            EXPECT_DOUBLE_EQ(after.minY(), 0);
        }
    }
}

TEST_F(OSDWindowTest, SecondaryGridsAreAnsweredForTheirOwnDisplayOnly) {
    show(plainModel(4, 2), OSDDismissalBehavior::manual(), "UUID-A");
    window.showAdditionalGrid(OSDPresentation{OSDGridPresentation::staticGrid(plainModel(6, 3))},
                              {}, false, OSDGridAppearanceSettings::defaultValue(), "UUID-B",
                              std::nullopt, nullptr, nullptr);
    const auto* overlay = window.secondaryGrid("UUID-B");
    ASSERT_NE(overlay, nullptr);
    EXPECT_GE(overlay->panel->hostFrame().minX(), 1440);
    ASSERT_TRUE(window.currentGridModel("UUID-B"));
    EXPECT_EQ(window.currentGridModel("UUID-B")->spaceCount(), 6);
    EXPECT_FALSE(window.isGridVisible("UUID-C"));
    EXPECT_EQ(window.visibleGridDisplayIdentifiers(),
              (std::vector<std::optional<std::string>>{"UUID-A", "UUID-B"}));
    // A new showing removes every secondary grid at once.
    show(plainModel(4, 2), OSDDismissalBehavior::manual(), "UUID-A");
    EXPECT_EQ(window.secondaryGrid("UUID-B"), nullptr);
}

TEST_F(OSDWindowTest, FooterButtonsFollowTheContextsCallbacks) {
    int added = 0;
    OSDGridMouseInteractionContext context;
    context.footerTitle = "Pick a Space";
    context.onAddSpaceAtTail = [&] { ++added; };
    host.system().setAppearance(Appearance::dark);
    window.show(OSDPresentation{OSDGridPresentation::staticGrid(plainModel(4, 2))}, {}, false,
                OSDGridAppearanceSettings::defaultValue(), OSDDismissalBehavior::manual(), "UUID-A",
                context, std::nullopt, nullptr, nullptr);
    ASSERT_NE(window.gridWindow(), nullptr);
    EXPECT_FALSE(panel().ignoresMouseEvents());
    auto buttons = panel().findChildren<QToolButton*>();
    ASSERT_EQ(buttons.size(), 2);
    QToolButton* missionControl = buttons[0];
    QToolButton* addDesktop = buttons[1];
    EXPECT_TRUE(missionControl->isHidden());
    ASSERT_FALSE(addDesktop->isHidden());
    // Its symbol is the host's template picture in the chrome's label colour.
    const QImage symbol = addDesktop->icon().pixmap(48, 48).toImage();
    ASSERT_FALSE(symbol.isNull());
    const QColor stroke = symbol.pixelColor(symbol.width() * 0.135, symbol.height() * 0.6);
    EXPECT_EQ(stroke.alpha(), 255);
    EXPECT_EQ(stroke.rgb(),
              window.primaryGrid()->headerTitleLabel->palette().color(QPalette::WindowText).rgb());
    auto* footer = panel().findChildren<QLabel*>().back();
    EXPECT_EQ(footer->text(), "Pick a Space");
    // A hint too long for the room left of the buttons is cut at the tail, not clipped.
    footer->setText(QString(60, QLatin1Char('W')));
    const QString shown = static_cast<TailTruncatingLabel*>(footer)->shownText();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026)));
    EXPECT_LE(footer->fontMetrics().horizontalAdvance(shown), footer->contentsRect().width());
    footer->setText("Pick a Space");
    // The lone button sits at the footer's right edge; the text stops 6 points short of it.
    EXPECT_EQ(footer->geometry().right() + 1 + 6, addDesktop->geometry().left());
    addDesktop->click();
    EXPECT_EQ(added, 1);
    // Without the host's symbol the button shows no picture.
    host.symbols().withdraw("plus.rectangle.on.rectangle");
    window.show(OSDPresentation{OSDGridPresentation::staticGrid(plainModel(4, 2))}, {}, false,
                OSDGridAppearanceSettings::defaultValue(), OSDDismissalBehavior::manual(), "UUID-A",
                context, std::nullopt, nullptr, nullptr);
    EXPECT_TRUE(panel().findChildren<QToolButton*>()[1]->icon().isNull());
}

// The panel as a person sees it over a black desktop.
QImage shownOverBlack(QWidget& panel) {
    QImage seen(panel.size(), QImage::Format_RGB32);
    seen.fill(Qt::black);
    QPainter(&seen).drawImage(0, 0, panel.grab().toImage());
    return seen;
}

// Beside the symbol, inside the button's rounded corners.
double lightnessBesideTheSymbol(const QImage& seen, const QRect& button) {
    return seen.pixelColor(button.left() + 2, button.center().y()).lightnessF();
}

// Under the pointer a footer button shows a faint wash of the chrome's own label colour,
// whichever palette the program's other windows have: lighter on dark chrome, darker on light,
// never a block that swallows the symbol.
TEST_F(OSDWindowTest, AHoveredFooterButtonIsHighlightedFaintlyInTheChromesAppearance) {
    struct Case {
        const char* name;
        Appearance program;
        OSDAppearanceMode chrome;
        bool lighter;
    };
    const Case cases[] = {
        {"dark chrome, light program", Appearance::light, OSDAppearanceMode::dark, true},
        {"dark chrome, dark program", Appearance::dark, OSDAppearanceMode::dark, true},
        {"light chrome, light program", Appearance::light, OSDAppearanceMode::light, false},
        {"light chrome, dark program", Appearance::dark, OSDAppearanceMode::light, false},
    };
    const ProgramPalette palette;
    OSDGridMouseInteractionContext context;
    context.footerTitle = "Pick a Space";
    context.onAddSpaceAtTail = [] {};
    context.onOpenMissionControl = [] {};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.system().setAppearance(c.program);
        queue.runUntilIdle();
        OSDGridAppearanceSettings appearance = OSDGridAppearanceSettings::defaultValue();
        appearance.appearanceMode = c.chrome;
        window.show(OSDPresentation{OSDGridPresentation::staticGrid(plainModel(4, 2))}, {}, false,
                    appearance, OSDDismissalBehavior::manual(), "UUID-A", context, std::nullopt,
                    nullptr, nullptr);
        panel().show();
        for (QToolButton* button : panel().findChildren<QToolButton*>()) {
            SCOPED_TRACE(button->toolTip().toStdString());
            ASSERT_FALSE(button->isHidden());
            const QRect frame = button->geometry();
            QTest::mouseMove(&panel(), frame.topLeft() - QPoint(30, 30));
            ASSERT_FALSE(button->underMouse());
            const double rest = lightnessBesideTheSymbol(shownOverBlack(panel()), frame);
            QTest::mouseMove(&panel(), frame.center());
            ASSERT_TRUE(button->underMouse());
            const double hovered = lightnessBesideTheSymbol(shownOverBlack(panel()), frame);
            const double change = c.lighter ? hovered - rest : rest - hovered;
            EXPECT_GT(change, 0.04) << rest << " -> " << hovered;
            EXPECT_LT(change, 0.25) << rest << " -> " << hovered;
        }
        QTest::mouseMove(&panel(), QPoint(2, 2));
    }
}

} // namespace
} // namespace tessarin::testing
