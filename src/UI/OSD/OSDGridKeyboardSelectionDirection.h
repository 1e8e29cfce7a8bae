#pragma once

namespace tessarin {

// A keyboard move inside a shown grid.
enum class OSDGridKeyboardSelectionDirection { left, right, up, down };

} // namespace tessarin
