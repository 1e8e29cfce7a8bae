#include "UI/Overlays/PersistentTitleOverlayLabel.h"

#include "UI/Overlays/PersistentTitleOverlayLayout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace tessarin {

PersistentTitleOverlayLabel::PersistentTitleOverlayLabel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PersistentTitleOverlayLabel::setContent(QString text, QFont font, QRectF textFrame,
                                             double cornerRadius) {
    text_ = std::move(text);
    font_ = std::move(font);
    textFrame_ = textFrame;
    cornerRadius_ = cornerRadius;
    update();
}

void PersistentTitleOverlayLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath plate;
    plate.addRoundedRect(QRectF(rect()), cornerRadius_, cornerRadius_);
    painter.fillPath(plate, PersistentTitleOverlayStyle::backgroundColor());
    painter.setFont(font_);
    painter.setPen(PersistentTitleOverlayStyle::titleColor());
    const QString shown =
        QFontMetricsF(font_).elidedText(text_, Qt::ElideRight, textFrame_.width());
    painter.drawText(textFrame_, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}

} // namespace tessarin
