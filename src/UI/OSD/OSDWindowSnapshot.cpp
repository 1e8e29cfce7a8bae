#include "Platform/Host.h"
#include "Platform/WindowCapture/WindowImageCapture.h"
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
    OSDOverlayPanel& panel = *primary_->panel;
    QImage image = panel.grab().toImage();
    if (image.isNull()) {
        // The panel's own drawing gave nothing: take what the window server shows of it.
        const auto captured = Host::current().windowImages().createImage(
            WindowListOption::includingWindow, panel.windowNumber(),
            WindowImageOption::boundsIgnoreFraming | WindowImageOption::bestResolution);
        if (!captured) {
            return OSDWindowSnapshotFailure{OSDWindowSnapshotError::cannotCreateBitmap, {}};
        }
        image = *captured;
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
