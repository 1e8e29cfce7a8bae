#include "Core/Presentation/OSDPresentationChoice.h"

namespace tessarin {

namespace {

OSDPresentation staticPresentation(const OSDGridModel& model) {
    return OSDPresentation{OSDGridPresentation::staticGrid(model)};
}

bool isWellFormed(const OSDGridModel& model) {
    return model.spaceCount() >= 1 && model.isValidIndex(model.activeIndex()) &&
           model.columnCount() >= OSDGridModel::minimumColumnCount &&
           model.columnCount() <= OSDGridModel::maximumColumnCount;
}

} // namespace

std::optional<OSDPresentation> osdPresentation(const std::optional<OSDGridModel>& model,
                                               std::optional<uint32_t> sourceIndex,
                                               std::optional<TessarinDirection> direction) {
    if (!model) {
        return std::nullopt;
    }
    if (!sourceIndex || !direction || !isWellFormed(*model)) {
        return staticPresentation(*model);
    }
    OSDGridModel::Fields fields = model->fields();
    fields.virtualDestinationIndices.clear();
    const auto rebuilt = OSDGridModel::make(std::move(fields));
    if (!rebuilt) {
        return staticPresentation(*model);
    }
    const int64_t source = *sourceIndex;
    const auto directionValue = static_cast<uint32_t>(*direction);
    if (source >= rebuilt->spaceCount() || source == rebuilt->activeIndex() ||
        directionValue >= 4) {
        return staticPresentation(*model);
    }
    return OSDPresentation{OSDGridPresentation::directional(
        OSDGridDirectionalTransition{*rebuilt, source, rebuilt->activeIndex(), *direction})};
}

} // namespace tessarin
