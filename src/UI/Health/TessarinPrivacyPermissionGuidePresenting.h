#pragma once

#include "Model/Health/TessarinPrivacyPermission.h"
#include "Support/Geometry.h"

#include <optional>

namespace tessarin {

// The panel that shows the user what to drag into System Settings; the health page holds it
// through this.
class TessarinPrivacyPermissionGuidePresenting {
public:
    virtual ~TessarinPrivacyPermissionGuidePresenting() = default;
    // `sourceRectInScreen`: the pressed button's frame, where the panel starts its glide.
    virtual void presentGuide(TessarinPrivacyPermission permission,
                              const std::optional<Rect>& sourceRectInScreen) = 0;
    virtual void dismissGuide() = 0;
};

} // namespace tessarin
