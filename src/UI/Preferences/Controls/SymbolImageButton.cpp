#include "UI/Preferences/Controls/SymbolImageButton.h"

#include "Platform/Host.h"
#include "Platform/Symbols/SystemSymbolImages.h"

#include <QIcon>
#include <QPixmap>

namespace tessarin {

namespace {

// What a button shows when the system lacks its picture.
QString fallbackText(const std::string& symbolName) {
    if (symbolName == "xmark") {
        return QString::fromUtf8("\u2715");
    }
    if (symbolName == "arrow.counterclockwise") {
        return QString::fromUtf8("\u21BA");
    }
    return QString::fromStdString(symbolName);
}

} // namespace

SymbolImageButton::SymbolImageButton(const std::string& symbolName,
                                     const QString& accessibilityDescription, QWidget* parent)
    : QToolButton(parent) {
    setAccessibleName(accessibilityDescription);
    setAutoRaise(true);
    if (const auto image = Host::current().symbols().image(symbolName)) {
        setIcon(QIcon(QPixmap::fromImage(*image)));
        setIconSize(QSize(14, 14));
        showsSymbolImage_ = true;
    } else {
        setText(fallbackText(symbolName));
    }
}

} // namespace tessarin
