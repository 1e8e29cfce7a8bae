#include "Core/Previews/OSDGridRenderableWindowPreview.h"

#include <algorithm>

namespace tessarin {

double nonNegativeArea(const Rect& rect) {
    return std::max(rect.size.width, 0.0) * std::max(rect.size.height, 0.0);
}

} // namespace tessarin
