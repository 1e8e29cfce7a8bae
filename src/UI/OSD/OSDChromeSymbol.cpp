#include "UI/OSD/OSDChromeSymbol.h"

#include "Core/AppDelegate/TessarinResourceBundle.h"
#include "UI/OSD/OSDHeaderIcon.h"

namespace tessarin::OSDChromeSymbol {

std::optional<QImage> tinted(const char* name, const QColor& tint) {
    const auto path = TessarinResourceBundle::url(name, "png");
    if (!path) {
        return std::nullopt;
    }
    const QImage image(QString::fromStdString(path->string()));
    if (image.isNull()) {
        return std::nullopt;
    }
    return OSDHeaderIcon{image, true}.tinted(tint);
}

} // namespace tessarin::OSDChromeSymbol
