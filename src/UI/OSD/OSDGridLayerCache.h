#pragma once

#include "UI/OSD/OSDGridCanvas.h"

#include <QImage>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace tessarin {

// Pictures of cell parts that look the same from one drawing pass to the next (a scaled
// screenshot with its rounded clip, scrim and hairline; the ring of the active cell; a badge
// stack), each drawn once into an image and then copied onto the view. Copying a finished
// picture is a plain blend, where drawing it again means scaling and anti-aliasing each frame.
// A picture is keyed by what it shows and by its size and sub-pixel position on the device,
// so a new screenshot, a resized cell or a cell in motion draws afresh; pictures a pass did
// not use are dropped when the next pass ends.
class OSDGridLayerCache {
public:
    using Key = std::vector<int64_t>;
    using Painting = std::function<void(const OSDGridCanvas&)>;

    // Draws what `paint` draws within `bounds` (view geometry, y up) onto `canvas`.
    void draw(const OSDGridCanvas& canvas, Key key, const Rect& bounds, const Painting& paint);
    // Forgets the pictures the passes since the last call did not use.
    void endPass();
    std::size_t size() const { return pictures_.size(); }

    // A number standing for an image's content, for keys.
    static int64_t imageKey(const QImage& image) { return image.isNull() ? 0 : image.cacheKey(); }

private:
    struct Picture {
        QImage image;
        bool used = true;
    };
    std::map<Key, Picture> pictures_;
};

} // namespace tessarin
