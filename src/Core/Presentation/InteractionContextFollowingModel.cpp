#include "Core/Presentation/InteractionContextFollowingModel.h"

namespace tessarin {

std::optional<OSDGridMouseInteractionContext>
interactionContextFollowingModel(const std::optional<OSDGridMouseInteractionContext>& context,
                                 const OSDGridModel& model) {
    if (!context) {
        return std::nullopt;
    }
    OSDGridMouseInteractionContext copy = *context;
    copy.currentActiveIndex = model.activeIndex();
    copy.cellTitles = model.cellTitles();
    copy.placeholderIndices = model.placeholderIndices();
    return copy;
}

} // namespace tessarin
