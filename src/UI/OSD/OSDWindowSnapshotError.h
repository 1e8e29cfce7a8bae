#pragma once

#include <string>

namespace tessarin {

enum class OSDWindowSnapshotError {
    noVisibleGridWindow,
    cannotCreateBitmap,
    cannotEncodePNG,
    fileSystem
};

// Why a snapshot was not written; a file-system failure carries the system's description.
struct OSDWindowSnapshotFailure {
    OSDWindowSnapshotError error;
    std::string description;
};

} // namespace tessarin
