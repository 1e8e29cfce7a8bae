#pragma once

#include "Support/Geometry.h"
#include "UI/OSD/OSDGridModel.h"

#include <optional>
#include <vector>

namespace tessarin {

// The cell frames of a model laid out in a container: equal 16:9 cells with a fixed gap, the
// block centred in the container. Frames use y up, so row 0 lies at the top.
class OSDGridLayout {
public:
    static constexpr double horizontalMargin = 26;
    static constexpr double verticalMargin = 8;
    static constexpr double cellSpacing = 14;
    static constexpr double cellAspectRatio = 16.0 / 9.0;

    // Nothing when no cell fits the container.
    static std::optional<OSDGridLayout> make(const OSDGridModel& model, Size containerSize,
                                             double renderingInset);

    const OSDGridModel& model() const { return model_; }
    Size containerSize() const { return containerSize_; }
    Size cellSize() const { return cellSize_; }
    const std::vector<Rect>& frames() const { return frames_; }
    double renderingInset() const { return renderingInset_; }

    // The first frame, in index order, that contains the point.
    std::optional<int64_t> indexOfFrame(Point point) const;
    bool containsIndex(int64_t index) const {
        return index >= 0 && index < static_cast<int64_t>(frames_.size());
    }

    friend bool operator==(const OSDGridLayout&, const OSDGridLayout&) = default;

private:
    OSDGridLayout(OSDGridModel model, Size containerSize, Size cellSize, std::vector<Rect> frames,
                  double renderingInset)
        : model_(std::move(model)), containerSize_(containerSize), cellSize_(cellSize),
          frames_(std::move(frames)), renderingInset_(renderingInset) {}

    OSDGridModel model_;
    Size containerSize_;
    Size cellSize_;
    std::vector<Rect> frames_;
    double renderingInset_;
};

} // namespace tessarin
