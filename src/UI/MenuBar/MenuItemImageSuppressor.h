#pragma once

namespace tessarin {

class Menu;

// Menus here show text only: clears the image of every item, and of the items of submenus.
namespace MenuItemImageSuppressor {

void removeImages(Menu& menu);

} // namespace MenuItemImageSuppressor

} // namespace tessarin
