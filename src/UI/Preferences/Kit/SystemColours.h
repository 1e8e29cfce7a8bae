#pragma once

#include <QColor>

namespace tessarin {

// The system's named accent colours, as it draws fills and symbols with them. As text they may
// not read: `statusTextColour` gives their readable forms.
inline const QColor systemRed{255, 59, 48};
inline const QColor systemOrange{255, 149, 0};
inline const QColor systemYellow{255, 204, 0};
inline const QColor systemGreen{52, 199, 89};
inline const QColor systemTeal{48, 176, 199};
inline const QColor systemBlue{0, 122, 255};
inline const QColor systemPurple{175, 82, 222};

} // namespace tessarin
