#include "Core/AppDelegate/ProgramDependencies.h"

#include "UI/OSD/OSDWindow.h"
#include "UI/OSD/OSDWindowSnapshotError.h"

namespace tessarin {
namespace {

// The text after "Failed to write OSD snapshot to <path>: ".
std::string describeSnapshotFailure(const OSDWindowSnapshotFailure& failure) {
    switch (failure.error) {
    case OSDWindowSnapshotError::noVisibleGridWindow:
        return "no visible grid window";
    case OSDWindowSnapshotError::cannotCreateBitmap:
        return "cannot create the bitmap";
    case OSDWindowSnapshotError::cannotEncodePNG:
        return "cannot encode the PNG";
    case OSDWindowSnapshotError::fileSystem:
        return failure.description;
    }
    return failure.description;
}

} // namespace

AppDelegateDependencies programDependencies(const std::vector<std::string>& arguments,
                                            const std::shared_ptr<OSDWindow>& osdWindow) {
    AppDelegateDependencies dependencies;
    dependencies.osdWindow = osdWindow;
    dependencies.launchArguments = arguments;
    dependencies.launchSnapshotWriter =
        [weakWindow = std::weak_ptr<OSDWindow>(osdWindow)](
            const std::filesystem::path& path) -> std::optional<std::string> {
        const auto window = weakWindow.lock();
        if (!window) {
            return "no OSD window";
        }
        const auto failure = window->writeVisibleGridSnapshot(path);
        return failure ? std::optional<std::string>(describeSnapshotFailure(*failure))
                       : std::nullopt;
    };
    return dependencies;
}

} // namespace tessarin
