#include "UI/OSD/OSDVisualPreviewFixture.h"

#include "Support/BundleIdentifier.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <cassert>
#include <cmath>

namespace tessarin {

namespace {

constexpr int kWidth = OSDVisualPreviewFixture::screenshotWidth;
constexpr int kHeight = OSDVisualPreviewFixture::screenshotHeight;

QColor rgb(double red, double green, double blue, double alpha = 1.0) {
    return QColor::fromRgbF(static_cast<float>(red), static_cast<float>(green),
                            static_cast<float>(blue), static_cast<float>(alpha));
}
QColor white(double level, double alpha = 1.0) {
    return rgb(level, level, level, alpha);
}
const QColor kDarkGrey = white(0.25);

// A picture drawn with its origin at the bottom left, as the layouts below are given.
class Canvas {
public:
    Canvas(int width, int height) : image_(width, height, QImage::Format_ARGB32_Premultiplied) {
        image_.fill(Qt::transparent);
        painter_.begin(&image_);
        painter_.setRenderHint(QPainter::Antialiasing);
        painter_.translate(0, height);
        painter_.scale(1, -1);
        painter_.setPen(Qt::NoPen);
    }

    QPainter& painter() { return painter_; }
    void fill(const QRectF& rect, const QColor& color) { painter_.fillRect(rect, color); }
    void fillRounded(const QRectF& rect, double radius, const QColor& color) {
        painter_.setBrush(color);
        painter_.drawRoundedRect(rect, radius, radius);
        painter_.setBrush(Qt::NoBrush);
    }
    QImage finish() {
        painter_.end();
        return image_;
    }

private:
    QImage image_;
    QPainter painter_;
};

void drawWallpaper(Canvas& canvas) {
    canvas.fill(QRectF(0, 0, kWidth, kHeight), rgb(0.11, 0.18, 0.13));
    for (int i = 0; i < 14; ++i) {
        const double x = 25.0 * i - 8;
        const double width = (10 + 2 * i) - 6 * (i / 3);
        canvas.fill(QRectF(x, -10, width, 210), rgb(0.29, 0.21, 0.13, 0.75));
        canvas.fill(QRectF(x + 2, -10, 2, 210), rgb(0.55, 0.42, 0.24, 0.32));
    }
    canvas.painter().setCompositionMode(QPainter::CompositionMode_SourceAtop);
    canvas.fill(QRectF(0, 0, kWidth, kHeight), rgb(0, 0, 0, 0.22));
    canvas.painter().setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void drawWindow(Canvas& canvas, const QRectF& frame, const QColor& body, const QColor& titleBar) {
    canvas.fillRounded(frame, 5, body);
    canvas.fillRounded(QRectF(frame.x(), frame.y() + frame.height() - 16, frame.width(), 16), 5,
                       titleBar);
}

void drawLines(Canvas& canvas, const QRectF& rect, const QColor& color, int count) {
    assert(count >= 0);
    for (int k = 0; k < count; ++k) {
        QColor line = color;
        line.setAlphaF(static_cast<float>(0.22 + 0.08 * (k % 3)));
        const double width = rect.width() * (((17 * k) % 45) / 100.0 + 0.45);
        canvas.fill(QRectF(rect.x(), rect.y() + rect.height() / count * k, width, 2), line);
    }
}

void drawFloatingPanel(Canvas& canvas, const QRectF& frame, const QColor& color) {
    canvas.fillRounded(frame, 7, color);
    QPainter& painter = canvas.painter();
    painter.setPen(QPen(white(1.0, 0.14), 1));
    painter.drawRoundedRect(frame.adjusted(0.5, 0.5, -0.5, -0.5), 7, 7);
    painter.setPen(Qt::NoPen);
}

QImage plainWindowScreenshot(const QRectF& frame, const QColor& body, const QColor& titleBar,
                             const QRectF& lines, int lineCount) {
    Canvas canvas(kWidth, kHeight);
    drawWallpaper(canvas);
    drawWindow(canvas, frame, body, titleBar);
    drawLines(canvas, lines, kDarkGrey, lineCount);
    return canvas.finish();
}

QImage mapScreenshot() {
    Canvas canvas(kWidth, kHeight);
    drawWallpaper(canvas);
    drawWindow(canvas, QRectF(16, 26, 228, 134), rgb(0.15, 0.18, 0.22), white(0.1));
    canvas.fill(QRectF(104, 48, 118, 84), rgb(0.22, 0.27, 0.34));
    QPainterPath route(QPointF(110, 72));
    route.cubicTo(QPointF(140, 60), QPointF(160, 120), QPointF(214, 118));
    QPainter& painter = canvas.painter();
    painter.setPen(QPen(rgb(0.92, 0.67, 0.24, 0.7), 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(route);
    painter.setPen(Qt::NoPen);
    drawFloatingPanel(canvas, QRectF(26, 40, 70, 96), white(0.08, 0.7));
    return canvas.finish();
}

QImage terminalScreenshot() {
    Canvas canvas(kWidth, kHeight);
    drawWallpaper(canvas);
    drawWindow(canvas, QRectF(18, 22, 228, 136), rgb(0.03, 0.04, 0.05), white(0.1));
    for (int i = 0; i < 17; ++i) {
        const double width = 110 + 18 * i - 108 * (i / 6);
        const QColor color = i % 4 == 0 ? rgb(0.42, 0.58, 0.78, 0.78) : rgb(0.48, 0.6, 0.72, 0.72);
        canvas.fill(QRectF(34, 36 + 6 * i, width, 2), color);
    }
    return canvas.finish();
}

QImage searchScreenshot() {
    Canvas canvas(kWidth, kHeight);
    drawWallpaper(canvas);
    drawFloatingPanel(canvas, QRectF(72, 38, 176, 110), white(0.08, 0.82));
    for (int row = 0; row < 5; ++row) {
        const double y = 124 - 18.0 * row;
        canvas.fillRounded(QRectF(90, y, 9, 9), 2, white(1.0));
        canvas.fill(QRectF(106, y + 3, 120 - 14.0 * row, 3), white(1.0, 0.45));
    }
    return canvas.finish();
}

QImage iconImage(const QString& letters, const QColor& color) {
    constexpr int size = 64;
    Canvas canvas(size, size);
    canvas.fillRounded(QRectF(2, 2, 60, 60), 13, white(1.0, 0.94));
    canvas.fillRounded(QRectF(8, 8, 48, 48), 12, color);
    QImage image = canvas.finish();
    // Text is drawn upright, so its rectangle is turned into top-left coordinates.
    const bool single = letters.size() == 1;
    const double bottom = single ? 17 : 21;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font;
    font.setBold(true);
    font.setPixelSize(single ? 28 : 20);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(8, size - bottom - 30, 48, 30), Qt::AlignCenter, letters);
    return image;
}

OSDGridAppIconEntry iconEntry(const char* bundleIdentifier, const char* name, const char* letters,
                              const QColor& color) {
    return OSDGridAppIconEntry{bundleIdentifier, name,
                               iconImage(QString::fromUtf8(letters), color)};
}

OSDGridScreenshotEntry picture(QImage image) {
    return OSDGridScreenshotEntry{std::move(image)};
}

OSDGridModel makeModel() {
    const auto& icons = OSDVisualPreviewFixture::fixtureIcons();
    OSDGridModel::Fields fields;
    fields.spaceCount = 9;
    fields.activeIndex = 3;
    fields.columnCount = 3;
    fields.cellTitles = {{0, "Amazon Web Services"},
                         {1, "Deals, Coupons & Offers"},
                         {2, "Take 2 - christmas..."},
                         {3, "query-monorepo"},
                         {4, "origin-sc-16925-feature"},
                         {5, "Hacker News"},
                         {6, "Tessarin"},
                         {7, "Search All"},
                         {8, "Tessarin Team"}};
    fields.title = fields.cellTitles.at(fields.activeIndex);
    fields.cellScreenshots = {
        {0, picture([] {
             Canvas canvas(kWidth, kHeight);
             drawWallpaper(canvas);
             drawWindow(canvas, QRectF(24, 32, 210, 122), white(0.9), white(0.92));
             canvas.fill(QRectF(150, 65, 70, 60), rgb(0.16, 0.52, 0.34, 0.95));
             drawLines(canvas, QRectF(58, 70, 70, 44), kDarkGrey, 5);
             return canvas.finish();
         }())},
        {1, picture([] {
             Canvas canvas(kWidth, kHeight);
             drawWallpaper(canvas);
             drawWindow(canvas, QRectF(20, 34, 208, 120), white(0.92), rgb(0.82, 0.29, 0.08));
             drawLines(canvas, QRectF(44, 58, 155, 66), kDarkGrey, 9);
             drawFloatingPanel(canvas, QRectF(185, 88, 82, 60), white(0.15, 0.86));
             return canvas.finish();
         }())},
        {2, picture(mapScreenshot())},
        {3, picture(OSDVisualPreviewFixture::codeScreenshot(true))},
        {4, picture(OSDVisualPreviewFixture::codeScreenshot(false))},
        {5, picture(plainWindowScreenshot(QRectF(40, 22, 214, 136), white(0.93),
                                          rgb(0.86, 0.31, 0.09), QRectF(60, 40, 165, 94), 16))},
        {6, picture(terminalScreenshot())},
        {7, picture(searchScreenshot())},
        {8, picture([] {
             Canvas canvas(kWidth, kHeight);
             drawWallpaper(canvas);
             drawWindow(canvas, QRectF(36, 26, 220, 132), white(0.86), rgb(0.33, 0.17, 0.43));
             canvas.fill(QRectF(42, 32, 42, 120), rgb(0.28, 0.12, 0.42, 0.9));
             drawLines(canvas, QRectF(100, 48, 120, 84), kDarkGrey, 9);
             return canvas.finish();
         }())}};
    fields.cellIcons = {{0, icons.firefox}, {1, icons.safari}, {2, icons.firefox},
                        {3, icons.code},    {4, icons.code},   {5, icons.firefox},
                        {6, icons.code},    {7, icons.search}, {8, icons.slack}};
    fields.cellIconStacks = {{2, {icons.firefox, icons.browser}},
                             {3, {icons.code, icons.browser}},
                             {5, {icons.firefox, icons.news}},
                             {6, {icons.code, icons.browser}}};
    // The construction keeps cells 0 to 8 only, as for a live grid.
    auto model = OSDGridModel::make(std::move(fields));
    assert(model);
    return *model;
}

} // namespace

QImage OSDVisualPreviewFixture::codeScreenshot(bool isActive) {
    Canvas canvas(kWidth, kHeight);
    drawWallpaper(canvas);
    drawWindow(canvas, QRectF(18, 24, 232, 136), rgb(0.05, 0.07, 0.08), white(0.12));
    canvas.fill(QRectF(28, 34, 42, 112), rgb(0.08, 0.1, 0.12));
    const QColor colors[] = {rgb(0.48, 0.78, 0.59), rgb(0.47, 0.63, 0.9), rgb(0.85, 0.42, 0.42)};
    const double alpha = isActive ? 0.85 : 0.62;
    for (int i = 0; i < 17; ++i) {
        QColor color = colors[i % 3];
        color.setAlphaF(static_cast<float>(alpha));
        const double width = 150 - 9 * (i % 4) - (i % 5 == 4 ? 90 : 0);
        canvas.fill(QRectF(82, 42 + 6 * i, width, 2), color);
    }
    drawFloatingPanel(canvas, QRectF(164, 48, 74, 60), white(0.08, 0.72));
    return canvas.finish();
}

const OSDVisualPreviewFixture::FixtureIcons& OSDVisualPreviewFixture::fixtureIcons() {
    static const FixtureIcons icons{
        iconEntry("org.mozilla.firefox", "Firefox", "F", rgb(0.96, 0.27, 0.24)),
        iconEntry("com.apple.Safari", "Safari", "S", rgb(0.12, 0.55, 0.95)),
        iconEntry("com.microsoft.VSCode", "Visual Studio Code", "VS", rgb(0.0, 0.48, 0.82)),
        iconEntry("com.google.Chrome", "Chrome", "C", rgb(0.98, 0.66, 0.16)),
        iconEntry("com.ycombinator.hackernews", "Hacker News", "Y", rgb(1.0, 0.38, 0.0)),
        iconEntry((std::string(kBundleIdentifier) + ".search").c_str(), "Search All", "*",
                  rgb(0.14, 0.58, 0.78)),
        iconEntry("com.tinyspeck.slackmacgap", "Slack", "S", rgb(0.36, 0.72, 0.52))};
    return icons;
}

const OSDGridModel& OSDVisualPreviewFixture::model() {
    static const OSDGridModel model = makeModel();
    return model;
}

const OSDGridAppearanceSettings& OSDVisualPreviewFixture::appearanceSettings() {
    static const OSDGridAppearanceSettings settings = [] {
        OSDGridAppearanceSettings value;
        value.appearanceMode = OSDAppearanceMode::automatic;
        value.headerIconStyle = OSDHeaderIconStyle::color;
        value.activeColor = PersistentGridOverlayActiveColor::fromRawValue("0A84FFFF")
                                .value_or(PersistentGridOverlayActiveColor{});
        value.previewTint = OSDPreviewTint(35);
        value.activeSpaceBorderWidth = OSDActiveSpaceBorderWidth(2);
        value.activeSpaceGlowSpread = OSDActiveSpaceGlowSpread(4);
        value.activeSpaceGlowOpacity = OSDActiveSpaceGlowOpacity(55);
        return value;
    }();
    return settings;
}

namespace {

// The fixed size, placement, opacity and look the sample grid is shown with.
DisplayOSDSettings displaySettings() {
    const OSDGridAppearanceSettings& look = OSDVisualPreviewFixture::appearanceSettings();
    DisplayOSDSettings settings;
    settings.isEnabled = true;
    settings.appearanceMode = look.appearanceMode;
    settings.headerIconStyle = look.headerIconStyle;
    settings.labelPlacement = OSDPlacement::center;
    settings.gridPlacement = OSDPlacement::center;
    settings.gridSize = OSDGridSize::large;
    settings.gridOpacity = OSDGridOpacity::percent90;
    settings.previewTint = look.previewTint;
    settings.activeSpaceBorderWidth = look.activeSpaceBorderWidth;
    settings.activeSpaceGlowSpread = look.activeSpaceGlowSpread;
    settings.activeSpaceGlowOpacity = look.activeSpaceGlowOpacity;
    return settings;
}

// Everything a user may try on a live picker is allowed, and none of it changes anything: only
// cancelling does something, and it hides the grid.
OSDGridMouseInteractionContext interactionContext(OSDWindowControlling& window) {
    const OSDGridModel& sample = OSDVisualPreviewFixture::model();
    OSDGridMouseInteractionContext context;
    context.currentActiveIndex = sample.activeIndex();
    context.cellTitles = sample.cellTitles();
    context.placeholderIndices = sample.placeholderIndices();
    context.allowsSelection = true;
    context.allowsCurrentActiveSelection = true;
    context.allowsReordering = true;
    context.allowsKeyboardSelection = true;
    context.blocksAtEdges = true;
    context.wrapStyle = GridWrapStyle::snake;
    context.rearrangementBehavior = OSDGridRearrangementBehavior::swap;
    context.dismissalBehavior = OSDDismissalBehavior::manual();
    context.footerTitle = OSDVisualPreviewFixture::footerTitle;
    context.onSelect = [](int64_t) {};
    context.onReorder = [](int64_t, int64_t) {};
    context.onCancel = [&window] { window.hide(OSDVisualPreviewFixture::cancelFadeDuration); };
    return context;
}

} // namespace

void OSDVisualPreviewFixture::show(OSDWindowControlling& window,
                                   const std::optional<std::string>& displayIdentifier) {
    window.show(OSDPresentation{OSDGridPresentation::staticGrid(model())}, displaySettings(), false,
                appearanceSettings(), OSDDismissalBehavior::manual(), displayIdentifier,
                interactionContext(window), std::nullopt, nullptr, nullptr);
}

} // namespace tessarin
