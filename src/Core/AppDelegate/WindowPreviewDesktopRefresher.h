#pragma once

#include "Core/Seams/MissionControlDesktopRefreshing.h"

#include <memory>

namespace tessarin {

class WindowPreviewCaching;

// The refresh after a Desktop task, handed to the cell-content caches' own debounced refresh.
std::shared_ptr<MissionControlDesktopRefreshing>
windowPreviewDesktopRefresher(std::shared_ptr<WindowPreviewCaching> caches);

} // namespace tessarin
