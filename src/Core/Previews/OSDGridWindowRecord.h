#pragma once

#include "Core/Previews/OSDGridWindowDiagnosticFields.h"
#include "Platform/WindowServerTypes.h"
#include "Support/Geometry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// One window of the window server's list, as the previews read it.
struct OSDGridWindowRecord {
    WindowID windowID = 0;
    int32_t processIdentifier = 0;
    std::string ownerName;
    std::string title;
    Rect bounds;                            // window-server coordinates, points
    int64_t zIndex = 0;                     // in the full list, 0 front-most
    std::optional<int64_t> onScreenIndex{}; // in the on-screen list; none when not on screen
    int64_t layer = 0;
    bool isOnScreen = false;
    double alpha = 1.0;
    int64_t sharingState = 1; // 0 none, 1 read-only, 2 read-write

    // Width times height, a negative extent counting as 0.
    double area() const;
    OSDGridWindowRecordFields diagnosticFields() const;
    static std::vector<OSDGridWindowRecordFields>
    diagnosticFields(const std::vector<OSDGridWindowRecord>& records);

    friend bool operator==(const OSDGridWindowRecord&, const OSDGridWindowRecord&) = default;
};

} // namespace tessarin
