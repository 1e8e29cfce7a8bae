#include "UI/Text/TailTruncatingLabel.h"

#include <QPainter>

namespace tessarin {

TailTruncatingLabel::TailTruncatingLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent) {
    // Its text's width is only a wish: the layout gives it what is left.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    // Cutting the text is this label's design, not a fault of its layout.
    setProperty("elides", true);
}

QString TailTruncatingLabel::shownText() const {
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

void TailTruncatingLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.setFont(font());
    painter.drawText(contentsRect(), static_cast<int>(alignment()) | Qt::TextSingleLine,
                     shownText());
}

} // namespace tessarin
