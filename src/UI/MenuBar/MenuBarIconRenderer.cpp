#include "UI/MenuBar/MenuBarIconRenderer.h"

#include "UI/MenuBar/MenuBarStaticIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>

namespace tessarin::MenuBarIconRenderer {
namespace {

// Cell frames are laid out with y up; the painter draws with y down.
QRectF painterRect(const Rect& rect, double canvasSide) {
    return {rect.minX(), canvasSide - rect.maxY(), rect.width(), rect.height()};
}

QImage makeCanvas(double side) {
    const int pixels = static_cast<int>(std::lround(side * pixelsPerPoint));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelsPerPoint);
    image.fill(Qt::transparent);
    return image;
}

void fillRounded(QPainter& painter, const QRectF& rect, double radius, const QColor& color) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    painter.fillPath(path, color);
}

} // namespace

std::optional<QImage> renderGridIcon(const MenuBarGridIconModel& model) {
    const auto layout = MenuBarGridIconLayout::make(model, MenuBarGridIconMetrics::statusItem());
    if (!layout) {
        return std::nullopt;
    }
    const double side = layout->canvasSize.width;
    QImage image = makeCanvas(side);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        QPen outline(QColor(0, 0, 0, static_cast<int>(std::lround(0.35 * 255))));
        outline.setWidthF(0.7);
        for (std::int64_t index = 0; index < model.spaceCount; ++index) {
            const Rect& frame = layout->frames[static_cast<size_t>(index)];
            if (index == model.activeIndex) {
                continue; // the current Space shows as a hole
            }
            if (model.isPlaceholder(index)) {
                painter.setPen(outline);
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(painterRect(frame.insetBy(0.35, 0.35), side));
            } else {
                painter.fillRect(painterRect(frame, side), Qt::black);
            }
        }
    }
    image.setText(QString::fromLatin1(MenuBarStaticIcon::templateKey), QStringLiteral("true"));
    return image;
}

std::optional<MenuBarGridIconModel> makeGridModel(const TessarinSpaceInfo& spaceInfo,
                                                  std::uint32_t gridColumnCount) {
    const std::int64_t columns = gridColumnCount == 2 ? 2 : gridColumnCount == 4 ? 4 : 3;
    if (spaceInfo.spaceCount == 0 || spaceInfo.currentIndex >= spaceInfo.spaceCount) {
        return std::nullopt;
    }
    return MenuBarGridIconModel::make(spaceInfo.spaceCount, spaceInfo.currentIndex, columns);
}

std::optional<QImage>
renderPersistentOverlayIcon(const MenuBarGridIconModel& model,
                            PersistentGridOverlaySize overlaySize,
                            const PersistentGridOverlayActiveColor& activeColor) {
    const auto layout =
        MenuBarGridIconLayout::make(model, MenuBarGridIconMetrics::overlay(overlaySize));
    if (!layout) {
        return std::nullopt;
    }
    return renderPersistentOverlayIcon(*layout, overlaySize, activeColor);
}

std::optional<QImage>
renderPersistentOverlayIcon(const MenuBarGridIconLayout& layout,
                            PersistentGridOverlaySize overlaySize,
                            const PersistentGridOverlayActiveColor& activeColor) {
    const MenuBarGridIconMetrics metrics = MenuBarGridIconMetrics::overlay(overlaySize);
    const double side = layout.canvasSize.width;
    QImage image = makeCanvas(side);
    if (image.isNull()) {
        return std::nullopt;
    }
    QPainter painter(&image);
    if (!painter.isActive()) {
        return std::nullopt;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    fillRounded(painter, QRectF(0, 0, side, side), metrics.backgroundCornerRadius,
                PersistentGridOverlayStyle::backgroundColor());
    const MenuBarGridIconModel& model = layout.model;
    for (size_t index = 0; index < layout.frames.size(); ++index) {
        const auto cell = static_cast<std::int64_t>(index);
        if (cell == model.activeIndex) {
            continue;
        }
        if (model.isPlaceholder(cell)) {
            drawPersistentPlaceholder(painter, layout.frames[index], side, overlaySize);
        } else {
            fillRounded(painter, painterRect(layout.frames[index], side), metrics.cellCornerRadius,
                        PersistentGridOverlayStyle::filledCellColor());
        }
    }
    // The active cell last, so nothing covers it.
    if (model.activeIndex >= 0 && static_cast<size_t>(model.activeIndex) < layout.frames.size()) {
        const Rect& frame = layout.frames[static_cast<size_t>(model.activeIndex)];
        if (model.isPlaceholder(model.activeIndex)) {
            drawPersistentPlaceholder(painter, frame, side, overlaySize);
        } else {
            fillRounded(painter, painterRect(frame, side), metrics.cellCornerRadius,
                        activeColor.color());
        }
    }
    painter.end();
    return image;
}

void drawPersistentPlaceholder(QPainter& painter, const Rect& cell, double canvasSide,
                               PersistentGridOverlaySize overlaySize) {
    const double radius = MenuBarGridIconMetrics::overlay(overlaySize).cellCornerRadius;
    QPen pen(QColor(255, 255, 255, static_cast<int>(std::lround(0.38 * 255))));
    pen.setWidthF(1);
    // Qt measures dashes in pen widths; the width is 1, so these are points.
    pen.setDashPattern({2, 1.5});
    pen.setDashOffset(0);
    painter.save();
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(painterRect(cell.insetBy(0.5, 0.5), canvasSide), radius, radius);
    painter.restore();
}

} // namespace tessarin::MenuBarIconRenderer
