#pragma once

#include "UI/OSD/OSDDismissalBehavior.h"

#include <optional>

namespace tessarin {

// Why a preview of the grid is open: a hotkey move whose switch waits (with how its OSD goes
// away), the Space picker, or a trackpad swipe whose switch waits for a three-finger tap.
class GridOSDPreviewSessionMode {
public:
    enum class Kind { deferredHotkey, picker, trackpadAfterTap };

    static GridOSDPreviewSessionMode deferredHotkey(OSDDismissalBehavior behavior) {
        return GridOSDPreviewSessionMode(Kind::deferredHotkey, behavior);
    }
    static GridOSDPreviewSessionMode picker() {
        return GridOSDPreviewSessionMode(Kind::picker, std::nullopt);
    }
    static GridOSDPreviewSessionMode trackpadAfterTap() {
        return GridOSDPreviewSessionMode(Kind::trackpadAfterTap, std::nullopt);
    }

    Kind kind() const { return kind_; }
    // Present exactly for `deferredHotkey`.
    const std::optional<OSDDismissalBehavior>& dismissalBehavior() const {
        return dismissalBehavior_;
    }

    friend bool operator==(const GridOSDPreviewSessionMode&,
                           const GridOSDPreviewSessionMode&) = default;

private:
    GridOSDPreviewSessionMode(Kind kind, std::optional<OSDDismissalBehavior> behavior)
        : kind_(kind), dismissalBehavior_(behavior) {}

    Kind kind_;
    std::optional<OSDDismissalBehavior> dismissalBehavior_;
};

} // namespace tessarin
