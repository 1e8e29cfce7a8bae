#include "UI/OSD/OSDHeaderIcon.h"

#include "UI/Resources/TessarinResourceBundle.h"

#include <QPainter>
#include <QPainterPath>

namespace tessarin {
namespace {

std::optional<QImage> resourceImage(const char* name, const char* extension) {
    const auto path = TessarinResourceBundle::url(name, extension);
    if (!path) {
        return std::nullopt;
    }
    QImage image(QString::fromStdString(path->string()));
    return image.isNull() ? std::nullopt : std::optional<QImage>(image);
}

QImage blankIcon() {
    QImage image(OSDHeaderIcon::side, OSDHeaderIcon::side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

std::optional<OSDHeaderIcon> OSDHeaderIcon::appBundleIcon() {
    auto source = resourceImage("AppIcon", "icns");
    if (!source) {
        source = resourceImage("AppIcon", "png");
    }
    if (!source) {
        return std::nullopt;
    }
    // 14 % larger around the centre, which cuts the icon's transparent margin.
    QImage image = blankIcon();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(-4.48, -4.48, 72.96, 72.96), *source);
    painter.end();
    return OSDHeaderIcon{image, false};
}

std::optional<OSDHeaderIcon> OSDHeaderIcon::monochromeIcon() {
    auto source = resourceImage("AppIconMonochrome", "png");
    if (!source) {
        source = resourceImage("TessarinMenuTemplate", "png");
    }
    if (!source) {
        return std::nullopt;
    }
    QImage image = blankIcon();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(0, 0, side, side), *source);
    painter.end();
    return OSDHeaderIcon{image, true};
}

std::optional<OSDHeaderIcon> OSDHeaderIcon::fallbackIcon() {
    QImage image = blankIcon();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath square;
    square.addRoundedRect(QRectF(0, 0, side, side), 15, 15);
    QColor fill(Qt::white);
    fill.setAlphaF(0.96F);
    painter.fillPath(square, fill);
    if (auto mark = resourceImage("TessarinMenuTemplate", "png")) {
        painter.setOpacity(0.92);
        painter.drawImage(QRectF(7, 7, side - 14, side - 14), *mark);
    }
    painter.end();
    return OSDHeaderIcon{image, false};
}

std::optional<OSDHeaderIcon> OSDHeaderIcon::forStyle(OSDHeaderIconStyle style) {
    auto chosen = style == OSDHeaderIconStyle::color ? appBundleIcon() : monochromeIcon();
    if (!chosen) {
        chosen = fallbackIcon();
    }
    if (chosen) {
        // The tint follows the style, whichever picture was found.
        chosen->isTemplate = style == OSDHeaderIconStyle::monochrome;
    }
    return chosen;
}

QImage OSDHeaderIcon::tinted(const QColor& tint) const {
    if (!isTemplate) {
        return image;
    }
    QImage result = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&result);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(result.rect(), tint);
    painter.end();
    return result;
}

} // namespace tessarin
