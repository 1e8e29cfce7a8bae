#include "UI/MissionControl/MissionControlLayout.h"

#include <algorithm>
#include <cmath>

namespace tessarin {

MissionControlLayout MissionControlLayout::make(QSize screen, int spaceCount, int nameHeight) {
    MissionControlLayout layout;
    if (screen.width() <= 0 || screen.height() <= 0) {
        return layout;
    }
    const int count = std::max(spaceCount, 0);
    const double aspect = static_cast<double>(screen.height()) / screen.width();
    const int available = screen.width() - 2 * margin - gap * std::max(count - 1, 0);
    const int width =
        count == 0 ? 0 : std::max(1, std::min(screen.width() / 7, available / std::max(count, 1)));
    const int height = std::max(1, static_cast<int>(std::lround(width * aspect)));
    const int rowWidth = count * width + gap * std::max(count - 1, 0);
    int x = (screen.width() - rowWidth) / 2;
    for (int i = 0; i < count; ++i) {
        layout.tiles.emplace_back(x, stripTop, width, height);
        layout.names.emplace_back(x - gap / 2, stripTop + height + nameGap, width + gap,
                                  nameHeight);
        x += width + gap;
    }
    const int stripBottom = stripTop + height + nameGap + nameHeight + stripPadding;
    const int left = (screen.width() - rowWidth) / 2 - gap / 2 - stripPadding;
    layout.strip = QRect(left, 0, screen.width() - 2 * left, stripBottom);
    // The desktop below, in the display's proportions, within the room left.
    const int roomTop = stripBottom + 2 * stripPadding;
    const int roomHeight = screen.height() - roomTop - margin;
    const int roomWidth = screen.width() - 4 * margin;
    if (roomHeight > 0 && roomWidth > 0) {
        int desktopWidth = roomWidth;
        int desktopHeight = static_cast<int>(std::lround(desktopWidth * aspect));
        if (desktopHeight > roomHeight) {
            desktopHeight = roomHeight;
            desktopWidth = static_cast<int>(std::lround(desktopHeight / aspect));
        }
        layout.desktop =
            QRect((screen.width() - desktopWidth) / 2, roomTop + (roomHeight - desktopHeight) / 2,
                  desktopWidth, desktopHeight);
    }
    return layout;
}

} // namespace tessarin
