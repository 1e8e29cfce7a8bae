#include "UI/Overlays/PersistentTitleOverlayLayout.h"

#include "Support/Text.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <cmath>

namespace tessarin {
namespace {

QFont systemSemiboldFont(int pixelSize) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::DemiBold);
    return font;
}

} // namespace

// Sizes are in the host's points, which are Qt's device-independent pixels.
QFont PersistentTitleOverlayLayout::resolvedFont(const PersistentTitleOverlayFont& font) {
    const int size = static_cast<int>(font.pointSize);
    if (font.family == PersistentTitleOverlayFont::systemFamily) {
        return systemSemiboldFont(size);
    }
    const QString family = QString::fromStdString(font.family);
    if (!QFontDatabase::hasFamily(family)) {
        return systemSemiboldFont(size);
    }
    QFont resolved(family);
    resolved.setPixelSize(size);
    resolved.setWeight(QFont::DemiBold);
    return resolved;
}

double PersistentTitleOverlayLayout::cornerRadius(const PersistentTitleOverlayFont& font) {
    return std::ceil(static_cast<double>(font.pointSize) * 0.375);
}

std::optional<PersistentTitleOverlayLayout>
PersistentTitleOverlayLayout::make(const std::optional<std::string>& title,
                                   const PersistentTitleOverlayFont& font) {
    if (!title) {
        return std::nullopt;
    }
    std::string trimmed = trimmingWhitespaceAndNewlines(*title);
    if (trimmed.empty()) {
        return std::nullopt;
    }
    const QFontMetricsF metrics(resolvedFont(font));
    const double s = static_cast<double>(font.pointSize);
    const double textWidth = std::ceil(metrics.horizontalAdvance(QString::fromStdString(trimmed)));
    const double maxWidth = std::ceil(20 * s);
    const double width = std::min(maxWidth, textWidth + 8);
    const double lineHeight = std::ceil(metrics.ascent() + metrics.descent() + metrics.leading());
    const double p = std::ceil(2 * s / 3);
    const double q = std::ceil(0.4 * s);
    return PersistentTitleOverlayLayout{std::move(trimmed), font,
                                        Size{2 * p + width, 2 * q + lineHeight},
                                        Rect{p, q, width, lineHeight}, maxWidth < textWidth};
}

} // namespace tessarin
