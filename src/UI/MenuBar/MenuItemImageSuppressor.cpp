#include "UI/MenuBar/MenuItemImageSuppressor.h"

#include "Platform/StatusBar/Menu.h"
#include "Platform/StatusBar/MenuItem.h"

namespace tessarin::MenuItemImageSuppressor {

void removeImages(Menu& menu) {
    for (const auto& item : menu.items()) {
        item->setImage(std::nullopt);
        if (item->submenu()) {
            removeImages(*item->submenu());
        }
    }
}

} // namespace tessarin::MenuItemImageSuppressor
