#include "Model/Spaces/TessarinDisplayCatalog.h"

#include "Model/Spaces/ScreenIdentity.h"
#include "Platform/DisplayServer.h"
#include "Platform/Host.h"

namespace tessarin {

std::vector<TessarinDisplay> TessarinDisplayCatalog::connectedDisplays() {
    std::vector<TessarinDisplay> displays;
    for (const Screen& screen : Host::current().displays().screens()) {
        if (auto identifier = tessarinDisplayIdentifier(screen)) {
            std::string name = screen.localizedName.empty() ? fallbackName : screen.localizedName;
            displays.push_back(TessarinDisplay{std::move(*identifier), std::move(name)});
        }
    }
    return displays;
}

std::string TessarinDisplayCatalog::name(const std::string& displayIdentifier) {
    for (const TessarinDisplay& display : connectedDisplays()) {
        if (display.identifier == displayIdentifier) {
            return display.name;
        }
    }
    return fallbackName;
}

} // namespace tessarin
