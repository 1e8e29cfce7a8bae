#pragma once

#include "Model/Health/TessarinHealthCheckSnapshot.h"
#include "Model/Health/TessarinHealthLaunchPresentation.h"

namespace tessarin {

class UserDefaults;

// Decides at start-up whether the health window opens on setup, on the all-set page or not at
// all, and remembers across launches what it has shown: setup on the first launch unless all
// is in order, setup again while something is required, and the all-set page once after setup
// was shown with something outstanding. Recommended items alone never reopen the window.
class TessarinHealthLaunchPresentationPolicy {
public:
    static constexpr const char* firstRunSetupShownKey = "healthCheck.firstRunSetupShown";
    static constexpr const char* pendingAllSetPresentationKey =
        "healthCheck.pendingAllSetPresentation";

    explicit TessarinHealthLaunchPresentationPolicy(UserDefaults& defaults)
        : defaults_(&defaults) {}

    TessarinHealthLaunchPresentation presentation(const TessarinHealthCheckSnapshot& snapshot,
                                                  bool practiceComplete);

    // Owes the all-set page to a later launch (the health window does this too when it shows
    // setup with something outstanding).
    void notePendingAllSet();

    UserDefaults& defaults() const { return *defaults_; }

private:
    // A flag of another type reads as unset.
    bool flag(const char* key) const;

    UserDefaults* defaults_;
};

} // namespace tessarin
