#pragma once

namespace tessarin {

// Shape of every cell of a grid; cells are 16:9.
enum class OSDGridCellShape { widescreen };

} // namespace tessarin
