#pragma once

#include <QRect>
#include <QSize>
#include <vector>

namespace tessarin {

// Where Mission Control's view puts things on a display of `screen` size: a strip along the top
// with one picture per Space (in the display's proportions, as wide as fits up to a seventh of the
// display) and its name under it, centred; below it the current Space's picture, large. A press
// outside the strip leaves.
struct MissionControlLayout {
    static constexpr int margin = 48;
    static constexpr int gap = 20;
    static constexpr int stripTop = 24;
    static constexpr int nameGap = 6;
    static constexpr int stripPadding = 12;

    std::vector<QRect> tiles;
    std::vector<QRect> names;
    QRect strip;   // the tiles and names with some room around them
    QRect desktop; // the current Space's picture

    static MissionControlLayout make(QSize screen, int spaceCount, int nameHeight);
};

} // namespace tessarin
