#include "Model/Health/TessarinHealthLaunchPresentationPolicy.h"

#include "Platform/Preferences/UserDefaults.h"

namespace tessarin {

bool TessarinHealthLaunchPresentationPolicy::flag(const char* key) const {
    return defaults_->boolValue(key).value_or(false);
}

void TessarinHealthLaunchPresentationPolicy::notePendingAllSet() {
    defaults_->set(pendingAllSetPresentationKey, true);
}

TessarinHealthLaunchPresentation
TessarinHealthLaunchPresentationPolicy::presentation(const TessarinHealthCheckSnapshot& snapshot,
                                                     bool practiceComplete) {
    using Presentation = TessarinHealthLaunchPresentation;
    const bool attention = snapshot.needsAttention();
    if (!flag(firstRunSetupShownKey)) {
        defaults_->set(firstRunSetupShownKey, true);
        if (!attention && practiceComplete) {
            return Presentation::allSet;
        }
        notePendingAllSet();
        return Presentation::setup;
    }
    if (snapshot.requiresAction() || !practiceComplete) {
        notePendingAllSet();
        return Presentation::setup;
    }
    if (attention) {
        return Presentation::none;
    }
    if (flag(pendingAllSetPresentationKey)) {
        defaults_->set(pendingAllSetPresentationKey, false);
        return Presentation::allSet;
    }
    return Presentation::none;
}

} // namespace tessarin
