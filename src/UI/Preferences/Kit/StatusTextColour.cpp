#include "UI/Preferences/Kit/StatusTextColour.h"

namespace tessarin {

QColor statusTextColour(const QColor& systemColour, Appearance appearance) {
    struct Readable {
        QColor system, light, dark;
    };
    static const Readable readable[] = {
        {QColor(52, 199, 89), QColor(0, 122, 48), QColor(48, 219, 91)},  // green
        {QColor(255, 149, 0), QColor(201, 52, 0), QColor(255, 179, 64)}, // orange
        {QColor(255, 204, 0), QColor(146, 97, 0), QColor(255, 214, 10)}, // yellow
        {QColor(0, 122, 255), QColor(0, 64, 221), QColor(64, 156, 255)}, // blue
    };
    for (const Readable& colour : readable) {
        if (colour.system == systemColour) {
            return appearance == Appearance::dark ? colour.dark : colour.light;
        }
    }
    return systemColour;
}

} // namespace tessarin
