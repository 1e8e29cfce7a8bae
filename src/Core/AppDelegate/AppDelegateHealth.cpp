#include "Core/AppDelegate/AppDelegate.h"

namespace tessarin {

void AppDelegate::presentHealthCheckAtLaunch() {
    switch (healthWindow_->launchPresentation()) {
    case TessarinHealthLaunchPresentation::setup:
        healthWindow_->present(TessarinHealthCheckPresentationMode::setup);
        return;
    case TessarinHealthLaunchPresentation::allSet:
        healthWindow_->present(TessarinHealthCheckPresentationMode::allSet);
        return;
    case TessarinHealthLaunchPresentation::none:
        return;
    }
}

} // namespace tessarin
