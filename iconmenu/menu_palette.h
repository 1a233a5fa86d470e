#ifndef YOMIKA_ICONMENU_MENU_PALETTE_H_
#define YOMIKA_ICONMENU_MENU_PALETTE_H_

// The colours the icon menus are drawn in, whatever the desktop theme: black text on a light
// grey menu, a navy selection with white text, and the grey edges of raised pictures. Parts
// of the drawing are black by design (kBlack) and the pictures are drawn for a light ground,
// so a dark theme's palette would make them unreadable.

#include <QPalette>

namespace yomika {

QPalette MenuPalette();

}  // namespace yomika

#endif  // YOMIKA_ICONMENU_MENU_PALETTE_H_
