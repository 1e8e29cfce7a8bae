#pragma once

#include "UI/OSD/OSDGridMouseInteractionContext.h"

#include <optional>

namespace tessarin {

// How a refresh of a visible grid treats its interaction context: install a new one (or none),
// install it but keep the current hover, press and drag, or keep the current context.
class OSDGridInteractionContextUpdate {
public:
    enum class Kind { replace, replacePreservingMouseInteraction, preserve };

    static OSDGridInteractionContextUpdate
    replace(std::optional<OSDGridMouseInteractionContext> context) {
        return OSDGridInteractionContextUpdate(Kind::replace, std::move(context));
    }
    static OSDGridInteractionContextUpdate
    replacePreservingMouseInteraction(std::optional<OSDGridMouseInteractionContext> context) {
        return OSDGridInteractionContextUpdate(Kind::replacePreservingMouseInteraction,
                                               std::move(context));
    }
    static OSDGridInteractionContextUpdate preserve() {
        return OSDGridInteractionContextUpdate(Kind::preserve, std::nullopt);
    }

    Kind kind() const { return kind_; }
    // The context to install; always absent for `preserve`.
    const std::optional<OSDGridMouseInteractionContext>& context() const { return context_; }

private:
    OSDGridInteractionContextUpdate(Kind kind,
                                    std::optional<OSDGridMouseInteractionContext> context)
        : kind_(kind), context_(std::move(context)) {}

    Kind kind_;
    std::optional<OSDGridMouseInteractionContext> context_;
};

} // namespace tessarin
