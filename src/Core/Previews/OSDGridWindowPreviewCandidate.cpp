#include "Core/Previews/OSDGridWindowPreviewCandidate.h"

#include <algorithm>

namespace tessarin {

double OSDGridWindowPreviewCandidate::area() const {
    return std::max(bounds.size.width, 0.0) * std::max(bounds.size.height, 0.0);
}

} // namespace tessarin
