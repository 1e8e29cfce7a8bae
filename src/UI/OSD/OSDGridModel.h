#pragma once

#include "Model/Settings/OSDGridRearrangementBehavior.h"
#include "UI/OSD/OSDGridAppIconEntry.h"
#include "UI/OSD/OSDGridCellAppearance.h"
#include "UI/OSD/OSDGridCellShape.h"
#include "UI/OSD/OSDGridScreenshotEntry.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tessarin {

// The immutable value of one grid of Spaces as the OSD shows it. Every model comes out of the
// normalising construction `make`, so a model never holds an out-of-range index, a picture on a
// placeholder or content on a virtual destination. Copies share their storage.
class OSDGridModel {
public:
    // The twelve inputs of the construction, in declaration order.
    struct Fields {
        int64_t spaceCount = 0;
        int64_t activeIndex = 0;
        std::optional<std::string> title{};
        int64_t columnCount = 0;
        OSDGridCellShape cellShape = OSDGridCellShape::widescreen;
        std::map<int64_t, std::string> cellTitles{};
        std::map<int64_t, OSDGridScreenshotEntry> cellScreenshots{};
        std::map<int64_t, OSDGridAppIconEntry> cellIcons{};
        std::map<int64_t, std::vector<OSDGridAppIconEntry>> cellIconStacks{};
        std::set<int64_t> placeholderIndices{};
        std::set<int64_t> virtualDestinationIndices{};
        std::set<int64_t> obscuredIndices{};

        friend bool operator==(const Fields&, const Fields&) = default;
    };

    static constexpr int64_t minimumColumnCount = 2;
    static constexpr int64_t maximumColumnCount = 4;
    static constexpr std::size_t maximumIconStackCount = 3;
    static constexpr std::size_t minimumIconStackCount = 2;

    // Nothing when the count, active index or column count is out of range.
    static std::optional<OSDGridModel> make(Fields fields);

    const Fields& fields() const { return *fields_; }
    int64_t spaceCount() const { return fields_->spaceCount; }
    int64_t activeIndex() const { return fields_->activeIndex; }
    const std::optional<std::string>& title() const { return fields_->title; }
    int64_t columnCount() const { return fields_->columnCount; }
    OSDGridCellShape cellShape() const { return fields_->cellShape; }
    const std::map<int64_t, std::string>& cellTitles() const { return fields_->cellTitles; }
    const std::map<int64_t, OSDGridScreenshotEntry>& cellScreenshots() const {
        return fields_->cellScreenshots;
    }
    const std::map<int64_t, OSDGridAppIconEntry>& cellIcons() const { return fields_->cellIcons; }
    const std::map<int64_t, std::vector<OSDGridAppIconEntry>>& cellIconStacks() const {
        return fields_->cellIconStacks;
    }
    const std::set<int64_t>& placeholderIndices() const { return fields_->placeholderIndices; }
    const std::set<int64_t>& virtualDestinationIndices() const {
        return fields_->virtualDestinationIndices;
    }
    const std::set<int64_t>& obscuredIndices() const { return fields_->obscuredIndices; }

    bool isValidIndex(int64_t index) const { return index >= 0 && index < spaceCount(); }

    // Per-cell queries; an out-of-range index answers false, nothing or an empty list.
    bool isPlaceholder(int64_t at) const;
    bool isObscured(int64_t at) const;
    std::optional<std::string> title(int64_t at) const;
    std::optional<OSDGridAppIconEntry> icon(int64_t at) const;
    std::vector<OSDGridAppIconEntry> badgeIcons(int64_t at) const;
    std::optional<OSDGridCellAppearance> appearance(int64_t at) const;

    // Derived models.
    std::optional<OSDGridModel> selectingActiveIndex(int64_t index) const;
    std::optional<OSDGridModel> replacingCellWithPlaceholder(int64_t at) const;

    // Dragging. Each answers the model unchanged (not nothing) when the move does not apply.
    // The model grown by virtual drop destinations up to `slotCount` (at most one extra row);
    // cells in `excluding` are added as plain empty cells.
    std::optional<OSDGridModel>
    virtualDragDestinationModel(int64_t slotCount, const std::set<int64_t>& excluding) const;
    // Cell `from` moved onto cell `to`: exchanged with it, or (shuffle onto a real cell) moved
    // with the cells between shifting towards `from`. Placeholders are always swapped with.
    std::optional<OSDGridModel> reordered(int64_t from, int64_t to,
                                          OSDGridRearrangementBehavior behavior) const;
    // Real cell `from` dropped into slot `to` at or behind the end of the grid, which becomes
    // `spaceCount` cells long.
    std::optional<OSDGridModel> virtualDropModel(int64_t from, int64_t to, int64_t spaceCount,
                                                 const std::set<int64_t>& virtualDestinationIndices,
                                                 bool fillsSkippedPlaceholders) const;
    // The picture shown while cell `from` is dragged over slot `to`.
    std::optional<OSDGridModel> dragPreviewModel(int64_t from, int64_t to,
                                                 OSDGridRearrangementBehavior behavior,
                                                 std::optional<int64_t> destinationSlotCount) const;

    friend bool operator==(const OSDGridModel& lhs, const OSDGridModel& rhs) {
        return lhs.fields_ == rhs.fields_ || *lhs.fields_ == *rhs.fields_;
    }

private:
    explicit OSDGridModel(std::shared_ptr<const Fields> fields) : fields_(std::move(fields)) {}

    std::shared_ptr<const Fields> fields_;
};

} // namespace tessarin
