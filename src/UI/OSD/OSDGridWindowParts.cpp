#include "UI/OSD/OSDGridWindowParts.h"

#include "Platform/DisplayServer.h"
#include "Platform/Host.h"
#include "Platform/Preferences/UserDefaults.h"
#include "UI/OSD/OSDChromeSymbol.h"
#include "UI/OSD/OSDGridWindowMetrics.h"
#include "UI/OSD/OSDHeaderIcon.h"
#include "UI/Text/TailTruncatingLabel.h"
#include "UI/Text/ViewPointFontSize.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace tessarin {
namespace {

// The header's title band at scale 1.
constexpr double kTitleBand = 18;
// The least room the footer hint leaves at the window's left edge.
constexpr double kFooterHintMargin = 16;

// Edges are rounded, not sizes, so views that share an edge keep sharing it.
QRect qtRect(const Rect& frame, double windowHeight) {
    const auto left = static_cast<int>(std::lround(frame.minX()));
    const auto top = static_cast<int>(std::lround(windowHeight - frame.maxY()));
    return QRect(left, top, static_cast<int>(std::lround(frame.maxX())) - left,
                 static_cast<int>(std::lround(windowHeight - frame.minY())) - top);
}

QLabel* makeChromeLabel(QWidget* parent, Qt::Alignment alignment, const QString& text) {
    auto* label = new TailTruncatingLabel(text, parent);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

// An image-only button that calls, through the grid view's current context, the callback
// `pick` chooses when there is one.
OSDFooterButton*
makeFooterButton(QWidget* parent, OSDGridView* view, const QString& name,
                 const QString& description,
                 std::function<std::function<void()>(const OSDGridMouseInteractionContext&)> pick) {
    auto* button = new OSDFooterButton(parent);
    button->setObjectName(name);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // Small enough that the button keeps its smallest size within the footer's 24 points.
    button->setIconSize(QSize(16, 16));
    button->setToolTip(description);
    button->setAccessibleDescription(description);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->hide();
    QObject::connect(button, &QToolButton::clicked, button, [view, pick = std::move(pick)] {
        const auto& context = view->mouseInteractionContext();
        if (!context) {
            return;
        }
        if (auto callback = pick(*context)) {
            callback();
        }
    });
    return button;
}

// The icon view clips its picture to corners of 0.22 of its side; the view scales the picture
// whole, so clipping the picture at the same proportion once is the same.
QImage roundedCorners(const QImage& source) {
    QImage result(source.size(), QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    const double radius = 0.22 * std::min(source.width(), source.height());
    shape.addRoundedRect(QRectF(result.rect()), radius, radius);
    painter.setClipPath(shape);
    painter.drawImage(0, 0, source);
    return result;
}

// Moved, never resized, so that its bottom, top, left and right edges (in that order) lie
// within `visible`.
Rect movedInto(Rect frame, const Rect& visible) {
    if (frame.minY() < visible.minY()) {
        frame.origin.y = visible.minY();
    }
    if (frame.maxY() > visible.maxY()) {
        frame.origin.y = visible.maxY() - frame.height();
    }
    if (frame.minX() < visible.minX()) {
        frame.origin.x = visible.minX();
    }
    if (frame.maxX() > visible.maxX()) {
        frame.origin.x = visible.maxX() - frame.width();
    }
    return frame;
}

} // namespace

std::string gridHeaderTitle(const std::optional<OSDGridModel>& model) {
    if (!model) {
        return {};
    }
    if (model->title() && !model->title()->empty()) {
        return *model->title();
    }
    return "Space " + std::to_string(model->activeIndex() + 1);
}

OSDGridSize storedGridSize() {
    const auto raw = Host::current().defaults().stringValue("osdGridSize");
    return raw ? fromRawValue<OSDGridSize>(*raw).value_or(OSDGridSize::large) : OSDGridSize::large;
}

std::unique_ptr<OSDGridWindowParts>
OSDGridWindowParts::make(std::optional<std::string> displayIdentifier) {
    const Size body = OSDGridWindowMetrics::nominalBodySize(storedGridSize());
    const double scale = OSDGridWindowMetrics::chromeScale(body.width);
    auto parts = std::make_unique<OSDGridWindowParts>();
    parts->displayIdentifier = std::move(displayIdentifier);
    parts->panel =
        std::make_unique<OSDOverlayPanel>(Rect{0, 0, body.width, body.height + 42 * scale});
    // Its rounded backdrop fills it.
    parts->panel->setCornerRadius(OSDBackdropView::cornerRadius);
    QWidget* content = parts->panel.get();
    parts->backdrop = new OSDBackdropView(content);
    parts->gridView = new OSDGridView(content);
    parts->headerIconView = new QLabel(content);
    parts->headerIconView->setScaledContents(true);
    parts->headerTitleLabel = makeChromeLabel(content, Qt::AlignLeft, appName);
    parts->headerDetailLabel = makeChromeLabel(content, Qt::AlignRight, {});
    parts->footerLabel = makeChromeLabel(content, Qt::AlignHCenter, defaultFooterTitle);
    parts->footerLabel->hide();
    // The hint is the program's own instruction: laid out to be read whole, never cut.
    parts->footerLabel->setProperty("elides", false);
    parts->footerMissionControlButton = makeFooterButton(
        content, parts->gridView, OSDGridWindowParts::missionControlButtonName, "Mission Control",
        [](const OSDGridMouseInteractionContext& context) { return context.onOpenMissionControl; });
    parts->footerAddDesktopButton = makeFooterButton(
        content, parts->gridView, OSDGridWindowParts::addDesktopButtonName, "Add desktop",
        [](const OSDGridMouseInteractionContext& context) { return context.onAddSpaceAtTail; });
    parts->applyAppearanceMode(OSDAppearanceMode::dark);
    parts->applyHeaderIconStyle(kDefaultOSDHeaderIconStyle);
    OSDOverlayPanel* panel = parts->panel.get();
    OSDGridView* view = parts->gridView;
    panel->cancelOperationHandler = [view] {
        const auto& context = view->mouseInteractionContext();
        if (!context || !context->allowsKeyboardSelection || !context->onCancel) {
            return false;
        }
        context->onCancel();
        return true;
    };
    panel->keyDownHandler = [view](const Event& event) {
        const auto& context = view->mouseInteractionContext();
        if (!context || !context->allowsKeyboardSelection || !view->keyBindingActionResolver) {
            return false;
        }
        const auto action = view->keyBindingActionResolver(event);
        if (!action) {
            return false;
        }
        // Copied: a callback may replace the installed context.
        const OSDGridMouseInteractionContext current = *context;
        view->handleKeyBindingAction(*action, current);
        return true;
    };
    return parts;
}

OSDGridWindowParts::~OSDGridWindowParts() = default;

double OSDGridWindowParts::renderingInset() const {
    const auto& settings = gridView->appearanceSettings();
    const double glow =
        settings.activeSpaceGlowOpacity.rawValue >= 1 ? settings.activeSpaceGlowSpread.rawValue : 0;
    return std::ceil(settings.activeSpaceBorderWidth.rawValue * 0.5 + glow);
}

void OSDGridWindowParts::applyInteractionContext(
    const std::optional<OSDGridMouseInteractionContext>& context) {
    footerLabel->setText(context ? QString::fromStdString(context->footerTitle) : QString());
    footerLabel->setVisible(context.has_value());
    updateFooterButtons(context);
    panel->setIgnoresMouseEvents(!context);
    panel->setAcceptsMouseMovedEvents(context.has_value());
    if (!context) {
        gridView->setMouseInteractionContext(std::nullopt);
    }
}

void OSDGridWindowParts::updateFooterButtons(
    const std::optional<OSDGridMouseInteractionContext>& context) {
    const bool missionControl = context && context->onOpenMissionControl;
    const bool addDesktop = context && context->onAddSpaceAtTail;
    footerMissionControlButton->setVisible(missionControl);
    footerMissionControlButton->setEnabled(missionControl);
    footerAddDesktopButton->setVisible(addDesktop);
    footerAddDesktopButton->setEnabled(addDesktop);
}

void OSDGridWindowParts::resize(Size size, OSDGridSize gridSize, bool showsFooter) {
    const Rect& frame = panel->hostFrame();
    if (std::abs(frame.width() - size.width) > 0.5 ||
        std::abs(frame.height() - size.height) > 0.5) {
        // Keep the horizontal centre and the top edge, then stay on the screen.
        const Rect resized{frame.midX() - size.width / 2, frame.maxY() - size.height, size.width,
                           size.height};
        const auto screen =
            Host::current().displays().screenContaining({frame.midX(), frame.midY()});
        panel->setHostFrame(screen ? movedInto(resized, screen->visibleFrame) : resized);
    }
    layoutSubviews(gridSize, showsFooter);
}

void OSDGridWindowParts::layoutSubviews(OSDGridSize gridSize, bool showsFooter) {
    const Size size = panel->hostFrame().size;
    backdrop->setGeometry(0, 0, panel->width(), panel->height());
    const auto model = gridView->layoutModel();
    const OSDGridWindowLayout layout =
        model ? OSDGridWindowMetrics::layout(*model, gridSize, size, showsFooter, renderingInset())
              : OSDGridWindowMetrics::layout(Rect{0, 0, size.width, size.height}, showsFooter);
    gridView->setGeometry(qtRect(layout.gridFrame, size.height));
    applyChromeFonts(layout.gridFrame.width());
    // Header and footer span the cells' outer edges, else a margin inside the window.
    const double margin = std::max(renderingInset(), 0.0) + 26;
    const auto cells = gridView->chromeAlignmentFrame();
    const double left = cells ? gridView->x() + cells->minX() : margin;
    const double width = cells ? cells->width() : std::max(size.width - 2 * margin, 0.0);
    const Rect header{left, layout.headerFrame.minY(), width, layout.headerFrame.height()};
    layoutHeader(header, OSDGridWindowMetrics::chromeScale(layout.gridFrame.width()), size.height);
    if (layout.footerFrame && showsFooter) {
        const Rect footer{left, layout.footerFrame->minY(), width, layout.footerFrame->height()};
        const double buttonsLeft = layoutFooterButtons(footer, size.height);
        footerLabel->setGeometry(qtRect(footerHintFrame(footer, buttonsLeft), size.height));
    } else {
        footerLabel->setGeometry(QRect());
        footerLabel->hide();
        footerMissionControlButton->setGeometry(QRect());
        footerAddDesktopButton->setGeometry(QRect());
    }
}

// Add desktop at the right edge, Mission Control 6 points left of it (or at the edge alone).
double OSDGridWindowParts::layoutFooterButtons(const Rect& footer, double windowHeight) {
    const double side = std::min(24.0, footer.height());
    double right = footer.maxX();
    for (OSDFooterButton* button : {footerAddDesktopButton, footerMissionControlButton}) {
        if (button->isHidden()) {
            button->setGeometry(QRect());
            continue;
        }
        const Rect frame{right - side, footer.midY() - side / 2, side, side};
        button->setGeometry(qtRect(frame, windowHeight));
        right = frame.minX() - 6;
    }
    return right;
}

// The hint keeps clear of the buttons, centred in the width they leave. A hint wider than that
// reaches left past the cells into the window's margin, so that it is read whole, not cut.
Rect OSDGridWindowParts::footerHintFrame(const Rect& footer, double buttonsLeft) const {
    const double needed = footerLabel->fontMetrics().horizontalAdvance(footerLabel->text()) + 2;
    double left = footer.minX();
    if (buttonsLeft - left < needed) {
        left = std::min(left, std::max(kFooterHintMargin, buttonsLeft - needed));
    }
    return Rect{left, footer.minY(), buttonsLeft - left, footer.height()};
}

void OSDGridWindowParts::applyBackdropOpacity(OSDGridOpacity opacity) {
    backdrop->setVisible(opacity != OSDGridOpacity::percent0);
    backdrop->setOpacity(static_cast<double>(static_cast<int>(opacity)) / 100.0);
}

// The HUD material: a translucent fill in the appearance's tone.
void OSDGridWindowParts::applyBackdropFill() {
    QColor fill = appearance == Appearance::dark ? QColor(30, 30, 30) : QColor(236, 236, 236);
    // Opaque enough that text in the secondary colour reads over any desktop behind it.
    fill.setAlphaF(0.9F);
    backdrop->setFill(fill);
    panel->setBackingAppearance(appearance);
}

void OSDGridWindowParts::applyHeaderIconStyle(OSDHeaderIconStyle style) {
    const auto icon = OSDHeaderIcon::forStyle(style);
    if (!icon) {
        headerIconView->clear();
        headerIconView->hide();
        return;
    }
    const QColor tint = headerTitleLabel->palette().color(QPalette::WindowText);
    headerIconView->setPixmap(QPixmap::fromImage(roundedCorners(icon->tinted(tint))));
    headerIconView->show();
}

void OSDGridWindowParts::layoutHeader(const Rect& header, double scale, double windowHeight) {
    double textStart = header.minX();
    if (headerIconView->isHidden()) {
        headerIconView->setGeometry(QRect());
    } else {
        const double side = std::round(kTitleBand * scale * 0.8);
        headerIconView->setGeometry(qtRect(
            Rect{header.minX(), std::round(header.midY() - side / 2), side, side}, windowHeight));
        textStart = header.minX() + side + kTitleBand * scale * 0.18;
    }
    const double gap = kTitleBand * scale * 0.18;
    const QString detail = headerDetailLabel->text();
    const double detailWidth =
        detail.isEmpty() ? 0 : headerDetailLabel->fontMetrics().horizontalAdvance(detail) + 1;
    const double detailX =
        detail.isEmpty() ? header.maxX() : std::max(header.maxX() - detailWidth, textStart);
    headerDetailLabel->setGeometry(qtRect(
        Rect{detailX, header.minY(), header.maxX() - detailX, header.height()}, windowHeight));
    const double titleEnd = detail.isEmpty() ? header.maxX() : detailX - gap;
    headerTitleLabel->setGeometry(
        qtRect(Rect{textStart, header.minY(), std::max(titleEnd - textStart, 0.0), header.height()},
               windowHeight));
}

void OSDGridWindowParts::applyAppearanceMode(OSDAppearanceMode mode) {
    switch (mode) {
    case OSDAppearanceMode::light:
        appearance = Appearance::light;
        break;
    case OSDAppearanceMode::dark:
        appearance = Appearance::dark;
        break;
    case OSDAppearanceMode::automatic:
        appearance = Host::current().system().appearance();
        break;
    }
    const QColor label = appearance == Appearance::dark ? QColor(255, 255, 255) : QColor(0, 0, 0);
    QColor secondary = label;
    secondary.setAlphaF(0.65F);
    const auto paint = [](QLabel* target, const QColor& color) {
        QPalette palette = target->palette();
        palette.setColor(QPalette::WindowText, color);
        target->setPalette(palette);
    };
    paint(headerTitleLabel, label);
    paint(headerDetailLabel, secondary);
    paint(footerLabel, secondary);
    const auto symbol = [&label](OSDFooterButton* button, const char* name) {
        button->setProperty("symbol", QString::fromLatin1(name));
        button->setLabelColor(label);
        const auto image = OSDChromeSymbol::tinted(name, label);
        button->setIcon(image ? QIcon(QPixmap::fromImage(*image)) : QIcon());
    };
    symbol(footerMissionControlButton, OSDChromeSymbol::missionControl);
    symbol(footerAddDesktopButton, OSDChromeSymbol::addDesktop);
    applyBackdropFill();
}

// Chrome text grows with the grid up to a cap, so large grids keep compact titles.
void OSDGridWindowParts::applyChromeFonts(double gridWidth) {
    const double scale = std::max(gridWidth / 276, 1.0);
    const auto font = [](QLabel* target, double points, QFont::Weight weight) {
        QFont chosen = target->font();
        setViewPointSize(chosen, points);
        chosen.setWeight(weight);
        target->setFont(chosen);
    };
    font(headerTitleLabel, std::min(12.5 * scale, 13.5), QFont::DemiBold);
    font(headerDetailLabel, std::min(10.5 * scale, 12.0), QFont::Normal);
    font(footerLabel, std::min(11.0 * scale, 13.0), QFont::Normal);
}

void OSDGridWindowParts::orderOutAndReset() {
    panel->setIgnoresMouseEvents(true);
    panel->setAcceptsMouseMovedEvents(false);
    gridView->setMouseInteractionContext(std::nullopt);
    panel->orderOut();
    panel->setAlpha(1);
    gridView->reset();
}

} // namespace tessarin
