#include "UI/MenuBar/MenuBarStaticIcon.h"

#include <QPainter>

namespace tessarin::MenuBarStaticIcon {

std::optional<QImage> image(const TessarinResourceBundle::SearchRoots& roots) {
    const auto path = TessarinResourceBundle::url("TessarinMenuTemplate", "png", roots);
    if (!path) {
        return std::nullopt;
    }
    const QImage loaded(QString::fromStdString(path->string()));
    if (loaded.isNull()) {
        return std::nullopt;
    }
    QImage icon(side, side, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(0, 0, side, side), loaded);
    painter.end();
    icon.setText(templateKey, "true");
    return icon;
}

std::optional<QImage> image() {
    return image(TessarinResourceBundle::SearchRoots::current());
}

} // namespace tessarin::MenuBarStaticIcon
