#pragma once

#include "UI/OSD/OSDGridCanvas.h"

#include <QImage>
#include <QPainter>
#include <QTransform>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace tessarin {

// Pictures of cell parts that look the same from one drawing pass to the next (a scaled
// screenshot with its rounded clip, scrim and hairline; the ring of the active cell; a badge
// stack), each drawn once into an image and then copied onto the view. Copying a finished
// picture is a plain blend, where drawing it again means scaling and anti-aliasing each frame.
// A picture is keyed by what it shows and by its size and sub-pixel position on the device,
// so a new screenshot, a resized cell or a cell in motion draws afresh; pictures a pass did
// not use are dropped when the next pass ends.
//
// A picture may also be drawn ahead, off the main thread, for a cell whose new screenshot has
// not been drawn yet (`offer`): it serves the next drawing of that cell, if that drawing looks
// it up, and is dropped otherwise.
class OSDGridLayerCache {
public:
    using Key = std::vector<int64_t>;
    using Painting = std::function<void(const OSDGridCanvas&)>;

    // Where a picture of some view rectangle lands on the device: whole device pixels from
    // `origin`, the rectangle's sub-pixel offset kept inside the picture.
    struct Placement {
        QPoint origin;
        QSize size;
        // The device transform moved to the picture's origin.
        QTransform layer;
        // What keys hold of the placement: size, sub-pixel offset and scale.
        Key geometry;
    };

    // Draws what `paint` draws within `bounds` (view geometry, y up) onto `canvas`.
    void draw(const OSDGridCanvas& canvas, Key key, const Rect& bounds, const Painting& paint);
    // Forgets the pictures the passes since the last call did not use.
    void endPass();
    std::size_t size() const { return pictures_.size(); }

    // Keeps a picture drawn ahead for the next drawing of `cell`, in place of any offered
    // before; `key` is the content key followed by the placement's geometry.
    void offer(int64_t cell, Key key, QImage picture);
    // The cell has been drawn: an offered picture it did not take is of no more use.
    void cellDrawn(int64_t cell) { offered_.erase(cell); }

    // A number standing for an image's content, for keys.
    static int64_t imageKey(const QImage& image) { return image.isNull() ? 0 : image.cacheKey(); }
    // Where a rectangle of the painter's (Qt's y-down) space lands; none where pictures are not
    // kept: a rotating or shearing device, or an empty rectangle.
    static std::optional<Placement> place(const QTransform& device, const QRectF& rect);
    // The picture of `paint` at `placement`, drawn as `draw` draws it; any thread.
    static QImage paintPicture(const Placement& placement, QPainter::RenderHints hints,
                               double viewHeight, const Painting& paint);

private:
    struct Picture {
        QImage image;
        bool used = true;
    };
    struct Offered {
        Key key;
        QImage image;
    };
    std::map<Key, Picture>::iterator takeOffered(const Key& key);

    std::map<Key, Picture> pictures_;
    std::map<int64_t, Offered> offered_;
};

} // namespace tessarin
