#pragma once

#include <cstdint>
#include <optional>

namespace tessarin {

// The outcome of a directional move of a preview's selection.
class GridOSDPreviewDirectionalMoveResult {
public:
    static GridOSDPreviewDirectionalMoveResult moved(int64_t previousIndex) {
        return GridOSDPreviewDirectionalMoveResult(previousIndex);
    }
    static GridOSDPreviewDirectionalMoveResult unchanged() {
        return GridOSDPreviewDirectionalMoveResult(std::nullopt);
    }

    bool isMoved() const { return previousIndex_.has_value(); }
    // The selected index before the move; present exactly when the selection moved.
    std::optional<int64_t> previousIndex() const { return previousIndex_; }

    friend bool operator==(const GridOSDPreviewDirectionalMoveResult&,
                           const GridOSDPreviewDirectionalMoveResult&) = default;

private:
    explicit GridOSDPreviewDirectionalMoveResult(std::optional<int64_t> previousIndex)
        : previousIndex_(previousIndex) {}

    std::optional<int64_t> previousIndex_;
};

} // namespace tessarin
