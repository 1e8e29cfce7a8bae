#include "Platform/Applications/ApplicationOpener.h"

#include <utility>

namespace tessarin {

ApplicationOpener::ApplicationOpener(std::function<void()> openMissionControl)
    : openMissionControl_(std::move(openMissionControl)) {}

bool ApplicationOpener::openApplication(const std::string& path) {
    openedPaths_.push_back(path);
    if (!opens_) {
        return false;
    }
    if (path == missionControlApplicationPath && openMissionControl_) {
        openMissionControl_();
    }
    return true;
}

} // namespace tessarin
