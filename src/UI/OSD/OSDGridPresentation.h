#pragma once

#include "UI/OSD/OSDGridDirectionalTransition.h"
#include "UI/OSD/OSDGridModel.h"

#include <variant>

namespace tessarin {

// A grid shown as it is (`staticGrid`), or shown with its active cell moving (`directional`).
class OSDGridPresentation {
public:
    static OSDGridPresentation staticGrid(OSDGridModel model) {
        return OSDGridPresentation(std::move(model));
    }
    static OSDGridPresentation directional(OSDGridDirectionalTransition transition) {
        return OSDGridPresentation(std::move(transition));
    }

    bool isDirectional() const {
        return std::holds_alternative<OSDGridDirectionalTransition>(value_);
    }
    // The model of the static case, else null.
    const OSDGridModel* staticModel() const { return std::get_if<OSDGridModel>(&value_); }
    // The transition of the directional case, else null.
    const OSDGridDirectionalTransition* directionalTransition() const {
        return std::get_if<OSDGridDirectionalTransition>(&value_);
    }
    // The model presented in either case.
    const OSDGridModel& model() const;

    friend bool operator==(const OSDGridPresentation&, const OSDGridPresentation&) = default;

private:
    explicit OSDGridPresentation(std::variant<OSDGridModel, OSDGridDirectionalTransition> value)
        : value_(std::move(value)) {}

    std::variant<OSDGridModel, OSDGridDirectionalTransition> value_;
};

} // namespace tessarin
