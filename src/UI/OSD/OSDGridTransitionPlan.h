#pragma once

#include "Support/Geometry.h"
#include "UI/OSD/OSDGridDirectionalTransition.h"
#include "UI/OSD/OSDGridLayout.h"

#include <optional>

namespace tessarin {

// The geometry of the active cell's move. A move that wraps around an edge of the grid leaves
// through `exitFrame`, beyond the grid on the side of the movement, and comes back in through
// `entryFrame` on the opposite side.
class OSDGridTransitionPlan {
public:
    // Nothing when the transition does not fit the layout or is not a plain neighbour move
    // (a jump or a move that wrapped by another rule).
    static std::optional<OSDGridTransitionPlan> make(const OSDGridDirectionalTransition& transition,
                                                     const OSDGridLayout& layout);

    // The cell a move reaches when it wraps around the whole grid (the snake rule).
    static std::optional<int64_t> expectedNeighbor(int64_t spaceCount, int64_t columnCount,
                                                   int64_t fromIndex, TessarinDirection direction);

    const Rect& fromFrame() const { return fromFrame_; }
    const Rect& toFrame() const { return toFrame_; }
    const std::optional<Rect>& exitFrame() const { return exitFrame_; }
    const std::optional<Rect>& entryFrame() const { return entryFrame_; }
    bool wraps() const { return exitFrame_.has_value(); }

    friend bool operator==(const OSDGridTransitionPlan&, const OSDGridTransitionPlan&) = default;

private:
    OSDGridTransitionPlan(Rect fromFrame, Rect toFrame, std::optional<Rect> exitFrame,
                          std::optional<Rect> entryFrame)
        : fromFrame_(fromFrame), toFrame_(toFrame), exitFrame_(exitFrame), entryFrame_(entryFrame) {
    }

    Rect fromFrame_;
    Rect toFrame_;
    std::optional<Rect> exitFrame_;
    std::optional<Rect> entryFrame_;
};

} // namespace tessarin
