#include "UI/OSD/OSDWindow.h"

#include <QBuffer>
#include <QImage>
#include <QSaveFile>
#include <system_error>

namespace tessarin {

std::optional<OSDWindowSnapshotFailure>
OSDWindow::writeVisibleGridSnapshot(const std::filesystem::path& path) const {
    if (!primary_ || !primary_->isVisible()) {
        return OSDWindowSnapshotFailure{OSDWindowSnapshotError::noVisibleGridWindow, {}};
    }
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (error) {
        return OSDWindowSnapshotFailure{OSDWindowSnapshotError::fileSystem, error.message()};
    }
    const QImage image = primary_->panel->grab().toImage();
    if (image.isNull()) {
        return OSDWindowSnapshotFailure{OSDWindowSnapshotError::cannotCreateBitmap, {}};
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        return OSDWindowSnapshotFailure{OSDWindowSnapshotError::cannotEncodePNG, {}};
    }
    // Written beside the target and renamed over it, so a reader never sees half a file.
    QSaveFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::WriteOnly) || file.write(png) != png.size() || !file.commit()) {
        return OSDWindowSnapshotFailure{OSDWindowSnapshotError::fileSystem,
                                        file.errorString().toStdString()};
    }
    return std::nullopt;
}

} // namespace tessarin
