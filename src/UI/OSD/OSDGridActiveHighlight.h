#pragma once

#include "Support/Geometry.h"
#include "UI/OSD/OSDGridCanvas.h"
#include "UI/OSD/OSDGridKeyframeTrack.h"

#include <QColor>
#include <optional>

namespace tessarin {

// The moving highlight of the active cell: a resting frame and look, plus the animations that
// change only what is shown until they run out. The grid view owns it and paints it over the
// drawn cells while a move is in flight.
struct OSDGridActiveHighlight {
    bool hidden = true;
    Rect frame;
    float opacity = 1;
    double cornerRadius = 0;
    QColor backgroundColor = Qt::transparent;
    double borderWidth = 0;
    QColor borderColor;
    bool showsTint = false;
    QColor tintColor;
    QColor shadowColor;
    double shadowRadius = 0;
    float shadowOpacity = 0;

    std::optional<OSDGridKeyframeTrack<Point>> positionAnimation;
    std::optional<OSDGridKeyframeTrack<float>> opacityAnimation;

    void removeAllAnimations() {
        positionAnimation.reset();
        opacityAnimation.reset();
    }
    // Where the highlight shows at `now`: the running animation's value, else the resting one.
    Rect presentedFrame(double now) const;
    float presentedOpacity(double now) const;

    void paint(const OSDGridCanvas& canvas, double now) const;
};

} // namespace tessarin
