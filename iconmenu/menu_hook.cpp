#include "iconmenu/menu_hook.h"

#include <QMainWindow>
#include <QMenu>
#include <QPointer>

#include "iconmenu/c_icon_menu.h"
#include "iconmenu/icon_menu_style.h"
#include "iconmenu/menu_palette.h"

namespace yomika {
namespace {

struct HookState {
  QPointer<QMainWindow> window;
  QPointer<IconMenuStyle> style;
  QPointer<MenuCharFilter> filter;
  QList<QPointer<QWidget>> menus;
};

HookState& Hook() {
  static HookState state;
  return state;
}

}  // namespace

void HookWindow(QMainWindow* window, const cIconMenu& source) {
  if (window == nullptr) return;
  if (Hook().window != nullptr) UnhookWindow(Hook().window);
  HookState& hook = Hook();
  hook.window = window;
  // Parented to the window: its children go first, so no menu outlives the style it uses.
  auto* style = new IconMenuStyle(source);
  style->setParent(window);
  hook.style = style;
  hook.filter = new MenuCharFilter(source, window);
  hook.menus.clear();
  if (QWidget* bar = window->menuWidget()) {
    bar->setStyle(style);
    bar->setPalette(MenuPalette());
    hook.menus.append(bar);
  }
  const IconMenuItemCollection& items = source.IconMenuItems();
  for (int i = 0; i < items.Count(); ++i) {
    if (auto* menu = qobject_cast<QMenu*>(items.At(i).hSubMenu())) {
      menu->setStyle(style);
      menu->setPalette(MenuPalette());
      menu->installEventFilter(hook.filter);
      hook.menus.append(menu);
    }
  }
}

void UnhookWindow(QMainWindow* window) {
  HookState& hook = Hook();
  if (window == nullptr || hook.window != window) return;
  for (const QPointer<QWidget>& menu : hook.menus) {
    if (menu == nullptr) continue;
    menu->setStyle(nullptr);
    menu->setPalette(QPalette());
    if (hook.filter != nullptr) menu->removeEventFilter(hook.filter);
  }
  if (hook.style != nullptr) hook.style->deleteLater();
  if (hook.filter != nullptr) hook.filter->deleteLater();
  hook = HookState{};
}

bool IsWindowHooked() { return Hook().window != nullptr; }

}  // namespace yomika
