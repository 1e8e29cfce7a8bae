#include "UI/Preferences/Controls/SymbolImageButton.h"

#include "Platform/Host.h"
#include "Platform/Symbols/SystemSymbolImages.h"
#include "UI/Preferences/Kit/SettingsPageLayout.h"

#include <QIcon>
#include <QPainter>
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
    : QToolButton(parent), appearanceObserver_([this] { applyAppearance(); }) {
    setAccessibleName(accessibilityDescription);
    setProperty("symbol", QString::fromStdString(symbolName));
    setAutoRaise(true);
    if (const auto image = Host::current().symbols().image(symbolName)) {
        symbol_ = image->convertToFormat(QImage::Format_ARGB32_Premultiplied);
        setIconSize(QSize(14, 14));
        showsSymbolImage_ = true;
        applyAppearance();
    } else {
        setText(fallbackText(symbolName));
    }
}

void SymbolImageButton::applyAppearance() {
    if (!showsSymbolImage_) {
        return;
    }
    const Appearance appearance = SettingsPageLayout::effectiveAppearance();
    QIcon icon(tinted(SettingsPageLayout::resolvedColor(SettingsSystemColor::label, appearance)));
    icon.addPixmap(tinted(SettingsPageLayout::resolvedColor(
                       SettingsSystemColor::disabledControlText, appearance)),
                   QIcon::Disabled);
    setIcon(icon);
}

QPixmap SymbolImageButton::tinted(const QColor& color) const {
    QImage image = symbol_;
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), color);
    painter.end();
    return QPixmap::fromImage(image);
}

} // namespace tessarin
