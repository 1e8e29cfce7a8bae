#include "Core/Previews/OSDGridWindowRecord.h"

#include <algorithm>

namespace tessarin {

double OSDGridWindowRecord::area() const {
    return std::max(bounds.size.width, 0.0) * std::max(bounds.size.height, 0.0);
}

} // namespace tessarin
