#include "UI/OSD/OSDGridPresentation.h"

namespace tessarin {

const OSDGridModel& OSDGridPresentation::model() const {
    if (const auto* transition = directionalTransition()) {
        return transition->model;
    }
    return std::get<OSDGridModel>(value_);
}

} // namespace tessarin
