#pragma once

#include "Core/Previews/WindowPreviewRefreshKey.h"
#include "Core/Previews/WindowPreviewRefreshReason.h"

namespace tessarin {

// One capture that is due.
struct WindowPreviewRefreshRequest {
    WindowPreviewRefreshKey key;
    WindowPreviewRefreshReason reason;

    friend bool operator==(const WindowPreviewRefreshRequest&,
                           const WindowPreviewRefreshRequest&) = default;
};

} // namespace tessarin
