#include "UI/Preferences/Kit/StatusTextColour.h"

#include "UI/Preferences/Kit/SystemColours.h"

namespace tessarin {

QColor statusTextColour(const QColor& systemColour, Appearance appearance) {
    struct Readable {
        QColor system, light, dark;
    };
    static const Readable readable[] = {
        {systemGreen, QColor(0, 122, 48), QColor(48, 219, 91)},
        {systemOrange, QColor(201, 52, 0), QColor(255, 179, 64)},
        {systemYellow, QColor(146, 97, 0), QColor(255, 214, 10)},
        {systemBlue, QColor(0, 64, 221), QColor(64, 156, 255)},
    };
    for (const Readable& colour : readable) {
        if (colour.system == systemColour) {
            return appearance == Appearance::dark ? colour.dark : colour.light;
        }
    }
    return systemColour;
}

} // namespace tessarin
