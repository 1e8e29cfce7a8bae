#include "Platform/Program/ProgramBundle.h"

#include <QColor>
#include <QPainter>
#include <functional>

namespace tessarin {

bool ProgramBundle::fileExists(const std::string& path) const {
    if (path.empty()) {
        return false;
    }
    return path == info_.bundlePath || path == info_.executablePath ||
           (info_.installedInApplications && path == kInstalledProgramBundlePath);
}

QImage ProgramBundle::icon(const std::string& path, int size) const {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool application = path.ends_with(".app");
    // A hue of its own per path, so two bundles are told apart at a glance.
    const int hue = static_cast<int>(std::hash<std::string>{}(path) % 360);
    painter.setPen(Qt::NoPen);
    painter.setBrush(application ? QColor::fromHsv(hue, 160, 220) : QColor(235, 235, 235));
    const double inset = size * 0.1;
    const QRectF body(inset, inset, size - 2 * inset, size - 2 * inset);
    painter.drawRoundedRect(body, size * (application ? 0.22 : 0.06),
                            size * (application ? 0.22 : 0.06));
    return image;
}

} // namespace tessarin
