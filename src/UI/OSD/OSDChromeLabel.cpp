#include "UI/OSD/OSDChromeLabel.h"

#include <QPainter>

namespace tessarin {

OSDChromeLabel::OSDChromeLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setWordWrap(false);
    // Read by checks of what the label shows: a cut text is by design.
    setProperty("elides", true);
}

QString OSDChromeLabel::shownText() const {
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

void OSDChromeLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(contentsRect(), static_cast<int>(alignment()) | Qt::TextSingleLine,
                     shownText());
}

} // namespace tessarin
