#include "UI/OSD/OSDChromeSymbol.h"

#include "Platform/Host.h"
#include "Platform/Symbols/SystemSymbolImages.h"
#include "UI/OSD/OSDHeaderIcon.h"

namespace tessarin::OSDChromeSymbol {

std::optional<QImage> tinted(const char* name, const QColor& tint) {
    const auto image = Host::current().symbols().image(name);
    if (!image) {
        return std::nullopt;
    }
    return OSDHeaderIcon{*image, true}.tinted(tint);
}

} // namespace tessarin::OSDChromeSymbol
