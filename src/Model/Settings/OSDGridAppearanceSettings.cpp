#include "Model/Settings/OSDGridAppearanceSettings.h"

namespace tessarin {

const OSDGridAppearanceSettings& OSDGridAppearanceSettings::defaultValue() {
    static const OSDGridAppearanceSettings value{};
    return value;
}

} // namespace tessarin
