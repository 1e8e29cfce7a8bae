#include "Platform/Program/ProgramBundle.h"

#include "Platform/ScreenCapture/ApplicationIconDrawing.h"
#include "Platform/ScreenCapture/CaptureContent.h"

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
    const bool ownBundle = path == info_.bundlePath || path == kInstalledProgramBundlePath;
    if (const auto own = ownBundle ? bundleIcon() : std::nullopt) {
        return own->scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(CaptureContent::imageFormat);
    }
    if (path.ends_with(".app")) {
        // A hue of its own per path, so two bundles without an icon are told apart at a glance.
        const int hue = static_cast<int>(std::hash<std::string>{}(path) % 360);
        return ApplicationIconDrawing::draw(QColor::fromHsv(hue, 160, 220), size);
    }
    QImage image(size, size, CaptureContent::imageFormat);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(235, 235, 235));
    const double inset = size * 0.1;
    const QRectF body(inset, inset, size - 2 * inset, size - 2 * inset);
    painter.drawRoundedRect(body, size * 0.06, size * 0.06);
    return image;
}

std::optional<QImage> ProgramBundle::bundleIcon() const {
    const PropertyValue* name = infoValue("CFBundleIconFile");
    const auto file = name != nullptr ? name->stringValue() : std::nullopt;
    return file ? imageNamed(*file) : std::nullopt;
}

const ProgramBundleContents& ProgramBundle::contents() const {
    if (info_.contents) {
        return *info_.contents;
    }
    if (!builtContents_) {
        builtContents_ = defaultProgramBundleContents();
    }
    return *builtContents_;
}

const PropertyValue* ProgramBundle::infoValue(const std::string& key) const {
    const auto found = contents().info.find(key);
    return found == contents().info.end() ? nullptr : &found->second;
}

std::string ProgramBundle::resourceFolder() const {
    return info_.bundlePath + "/Contents/Resources/";
}

std::optional<std::string> ProgramBundle::pathForResource(const std::string& name,
                                                          const std::string& extension) const {
    const std::string file = extension.empty() ? name : name + "." + extension;
    if (name.empty() || !contents().resources.contains(file)) {
        return std::nullopt;
    }
    return resourceFolder() + file;
}

std::optional<QByteArray> ProgramBundle::contentsOfFile(const std::string& path) const {
    if (!path.starts_with(resourceFolder())) {
        return std::nullopt;
    }
    const auto found = contents().resources.find(path.substr(resourceFolder().size()));
    if (found == contents().resources.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::optional<QImage> ProgramBundle::imageNamed(const std::string& name) const {
    if (name.empty()) {
        return std::nullopt;
    }
    for (const auto& [file, bytes] : contents().resources) {
        if (file != name && !file.starts_with(name + ".")) {
            continue;
        }
        QImage image = QImage::fromData(bytes);
        if (!image.isNull()) {
            return image;
        }
    }
    return std::nullopt;
}

} // namespace tessarin
