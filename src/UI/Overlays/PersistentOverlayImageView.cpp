#include "UI/Overlays/PersistentOverlayImageView.h"

#include <QPainter>

namespace tessarin {

PersistentOverlayImageView::PersistentOverlayImageView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PersistentOverlayImageView::setImage(QImage image) {
    image_ = std::move(image);
    update();
}

void PersistentOverlayImageView::paintEvent(QPaintEvent*) {
    if (image_.isNull()) {
        return;
    }
    QSizeF size = image_.deviceIndependentSize();
    if (size.width() > width() || size.height() > height()) {
        size.scale(QSizeF(width(), height()), Qt::KeepAspectRatio);
    }
    const QRectF target((width() - size.width()) / 2, (height() - size.height()) / 2, size.width(),
                        size.height());
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image_);
}

} // namespace tessarin
