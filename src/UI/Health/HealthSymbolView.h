#pragma once

#include <QColor>
#include <QString>
#include <string>

class QLabel;
class QPixmap;
class QWidget;

namespace tessarin {

// An image view of a named system symbol, tinted, fixed at `side` points; it stays blank when
// the system has no such symbol. The symbol's name travels as the view's property "symbol".
// The tinted picture alone; a null picture when the system has no such symbol.
QPixmap tintedSymbol(const std::string& symbolName, const QColor& tint, int side);
QLabel* makeSymbolView(const std::string& symbolName, const QColor& tint, int side,
                       QWidget* parent = nullptr);

} // namespace tessarin
