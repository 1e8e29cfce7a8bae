#pragma once

#include "Model/Health/TessarinHealthCheckItem.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace tessarin {

// One run of the five checks, in identifier order.
struct TessarinHealthCheckSnapshot {
    std::vector<TessarinHealthCheckItem> items;

    bool needsAttention() const {
        return std::ranges::any_of(items, &TessarinHealthCheckItem::needsAttention);
    }
    bool requiresAction() const {
        return std::ranges::any_of(items, [](const TessarinHealthCheckItem& item) {
            return item.status == TessarinHealthCheckStatus::actionRequired;
        });
    }
    std::optional<TessarinHealthCheckItem> item(TessarinHealthCheckIdentifier identifier) const {
        const auto it = std::ranges::find(items, identifier, &TessarinHealthCheckItem::identifier);
        return it == items.end() ? std::nullopt : std::optional(*it);
    }
    friend bool operator==(const TessarinHealthCheckSnapshot&,
                           const TessarinHealthCheckSnapshot&) = default;
};

} // namespace tessarin
