#pragma once

#include "Platform/WindowServerTypes.h"
#include "TessarinCore/TessarinCore.h"
#include "UI/OSD/OSDGridSpaceContext.h"

#include <optional>
#include <string>

namespace tessarin {

// The Space to photograph: the current Space of a display, and the display's number, by which
// the capture service finds it.
struct OSDGridSpaceCaptureTarget {
    OSDGridSpaceContext context;
    DisplayID displayID = 0;

    // A target only from a display identifier that is not empty once trimmed, a display number
    // and sane Space information (a current Space, a count, an index below the count).
    static std::optional<OSDGridSpaceCaptureTarget>
    make(const std::optional<std::string>& displayIdentifier, std::optional<DisplayID> displayID,
         const std::optional<TessarinSpaceInfo>& info);

    friend bool operator==(const OSDGridSpaceCaptureTarget&,
                           const OSDGridSpaceCaptureTarget&) = default;
};

} // namespace tessarin
