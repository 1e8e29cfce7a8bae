#include "UI/Health/HealthSymbolView.h"

#include "Platform/Host.h"
#include "Platform/Symbols/SystemSymbolImages.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>

namespace tessarin {

QPixmap tintedSymbol(const std::string& symbolName, const QColor& tint, int side) {
    const auto image = Host::current().symbols().image(symbolName);
    if (!image) {
        return {};
    }
    // Symbol pictures are templates: black on clear, coloured by the tint.
    QPixmap pixmap = QPixmap::fromImage(*image).scaled(side, side, Qt::KeepAspectRatio,
                                                       Qt::SmoothTransformation);
    QPainter painter(&pixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(pixmap.rect(), tint);
    painter.end();
    return pixmap;
}

QLabel* makeSymbolView(const std::string& symbolName, const QColor& tint, int side,
                       QWidget* parent) {
    auto* view = new QLabel(parent);
    view->setFixedSize(side, side);
    view->setProperty("symbol", QString::fromStdString(symbolName));
    view->setProperty("tint", tint);
    if (const QPixmap pixmap = tintedSymbol(symbolName, tint, side); !pixmap.isNull()) {
        view->setPixmap(pixmap);
    }
    return view;
}

} // namespace tessarin
