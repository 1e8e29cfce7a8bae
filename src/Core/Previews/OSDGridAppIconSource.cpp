#include "Core/Previews/OSDGridAppIconSource.h"

#include "Platform/Host.h"
#include "Platform/RunningApplication.h"
#include "Platform/ScreenCapture/ApplicationIcons.h"

namespace tessarin {

OSDGridAppIconSource
OSDGridAppIconSource::make(const std::optional<RunningApplication>& application,
                           std::optional<std::string> windowTitle) {
    OSDGridAppIconSource source;
    source.windowTitle = std::move(windowTitle);
    if (application) {
        source.bundleIdentifier = application->bundleIdentifier;
        source.appDisplayName = application->localizedName;
        source.icon = Host::current().applicationIcons().icon(application->processIdentifier);
    }
    return source;
}

} // namespace tessarin
