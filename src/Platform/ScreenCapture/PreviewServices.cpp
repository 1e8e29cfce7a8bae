#include "Platform/ScreenCapture/PreviewServices.h"

namespace tessarin {

PreviewServices::PreviewServices(const PreviewServicesScenario& scenario,
                                 const WindowServer& windows, const DisplayServer& displays,
                                 const SystemServices& system)
    : windowList(windows), icons(system), desktopPictures(scenario.desktopPictures),
      windowTitles(scenario.windowTitles), capture(windows, displays, system, desktopPictures) {
    for (const auto& [pid, look] : scenario.applicationIcons) {
        icons.setIcon(pid, look);
    }
    windowList.setExtraEntries(scenario.windowListExtras);
    for (const auto& [operation, fault] : scenario.captureFaults) {
        capture.setFault(operation, fault);
    }
}

} // namespace tessarin
