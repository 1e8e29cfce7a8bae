#pragma once

#include "Platform/ScreenCapture/ApplicationIcons.h"
#include "Platform/ScreenCapture/ApplicationWindowTitles.h"
#include "Platform/ScreenCapture/DesktopPictures.h"
#include "Platform/ScreenCapture/PreviewServicesScenario.h"
#include "Platform/ScreenCapture/ScreenCapture.h"
#include "Platform/ScreenCapture/WindowListDictionaries.h"

namespace tessarin {

// The services window previews read, built together from their part of the scenario.
struct PreviewServices {
    PreviewServices(const PreviewServicesScenario& scenario, const WindowServer& windows,
                    const DisplayServer& displays, const SystemServices& system);

    WindowListDictionaries windowList;
    ApplicationIcons icons;
    DesktopPictures desktopPictures;
    ApplicationWindowTitles windowTitles;
    ScreenCapture capture;
};

} // namespace tessarin
