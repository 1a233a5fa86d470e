#ifndef YOMIKA_ICONMENU_MENU_HOOK_H_
#define YOMIKA_ICONMENU_MENU_HOOK_H_

// Puts the icon menu drawing onto a window's menus and takes it off again. One window at a
// time: hooking a second window first unhooks the first.

class QMainWindow;

namespace yomika {

class cIconMenu;

// Installs the icon menu style and its palette (MenuPalette) on the window's menu bar and on
// every drop-down menu recorded in `source`, and the menu character rule on those drop-downs. The menus of other widgets
// (the panes' context menus) keep their normal style.
void HookWindow(QMainWindow* window, const cIconMenu& source);

// Restores the normal style and palette and removes the menu character rule; nothing when `window` is
// not the hooked window.
void UnhookWindow(QMainWindow* window);

// True while some window is hooked.
bool IsWindowHooked();

}  // namespace yomika

#endif  // YOMIKA_ICONMENU_MENU_HOOK_H_
