#include "UI/Preferences/Window/PreferencesToolbarIcon.h"

#include "UI/Preferences/Kit/SettingsPageLayout.h"

#include <QPainter>
#include <QPixmap>

namespace tessarin {

namespace {

QPixmap tinted(const QImage& symbol, const QColor& colour) {
    QImage image = symbol.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), colour);
    painter.end();
    return QPixmap::fromImage(image);
}

} // namespace

QIcon preferencesToolbarIcon(const QImage& symbol, Appearance appearance) {
    namespace L = SettingsPageLayout;
    const QPixmap label = tinted(symbol, L::resolvedColor(SettingsSystemColor::label, appearance));
    const QPixmap chosen =
        tinted(symbol, L::resolvedColor(SettingsSystemColor::chosenItemAccent, appearance));
    const QPixmap disabled =
        tinted(symbol, L::resolvedColor(SettingsSystemColor::disabledControlText, appearance));
    QIcon icon;
    for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Active, QIcon::Selected}) {
        icon.addPixmap(label, mode, QIcon::Off);
        icon.addPixmap(chosen, mode, QIcon::On);
    }
    icon.addPixmap(disabled, QIcon::Disabled, QIcon::Off);
    icon.addPixmap(disabled, QIcon::Disabled, QIcon::On);
    return icon;
}

} // namespace tessarin
