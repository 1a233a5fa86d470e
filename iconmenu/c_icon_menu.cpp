#include "iconmenu/c_icon_menu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "iconmenu/image_list.h"
#include "iconmenu/menu_hook.h"
#include "iconmenu/menu_metrics.h"

namespace yomika {
namespace {

// The number of a recorded item, kept on its action as the item's own data.
constexpr char kIndexProperty[] = "yomikaIconMenuIndex";

}  // namespace

Status cIconMenu::SetIconMenu() {
  if (menu_ == nullptr) return Ok();
  Status scanned = ScanMenu(menu_);
  // Items recorded before a failure are drawn like the rest, so the hook goes in regardless.
  HookWindow(target_, *this);
  menu_->update();
  return scanned;
}

void cIconMenu::UnSetIconMenu() {
  if (menu_ == nullptr) return;
  UnhookWindow(target_);
}

QString cIconMenu::GetIDtoKey(int lngID) const {
  QString key;
  for (int i = 0; i < items_.Count(); ++i) {
    if (items_.At(i).Index() == lngID) key = items_.At(i).Key();
  }
  return key;
}

int cIconMenu::GetImageIndex(const QString& strKey) const {
  if (images_ == nullptr || strKey.isEmpty()) return -1;
  return images_->IndexOf(strKey) - 1;
}

QMainWindow* cIconMenu::hTargetWnd() const { return target_; }

QMenuBar* cIconMenu::hMenu() const { return menu_; }

void cIconMenu::SethTargetWnd(QMainWindow* window) {
  // The items recorded so far belong to the menus of the previous window (which may be gone
  // by now, as when a test builds one main window after another).
  if (window != target_) {
    items_ = IconMenuItemCollection();
    counter_ = 0;
  }
  target_ = window;
  menu_ = window == nullptr ? nullptr : qobject_cast<QMenuBar*>(window->menuWidget());
}

void cIconMenu::SetMenuDefaultImage(const ImageList* images) {
  images_ = images;
  if (images_ != nullptr) {
    icon_width_ = images_->ImageSize().width();
    icon_height_ = images_->ImageSize().height();
  }
}

void cIconMenu::SetIconWidth(int vNewValue) {
  if (images_ != nullptr && vNewValue > images_->ImageSize().width()) icon_width_ = vNewValue;
}

void cIconMenu::SetIconHeight(int vNewValue) {
  if (images_ != nullptr && vNewValue > images_->ImageSize().height()) icon_height_ = vNewValue;
}

int cIconMenu::RecordedIndex(const QAction* action) {
  if (action == nullptr) return -1;
  bool ok = false;
  const int index = action->property(kIndexProperty).toInt(&ok);
  return ok ? index : -1;
}

Status cIconMenu::ScanMenu(QWidget* menu) {
  const QList<QAction*> actions = menu->actions();
  for (qsizetype pos = 0; pos < actions.size(); ++pos) {
    QAction* action = actions[pos];
    if (Status added = AddIconMenuItem(menu, action, static_cast<int>(pos)); !added) return added;
    // Parents before their children.
    if (QMenu* sub = action->menu(); sub != nullptr) {
      if (Status scanned = ScanMenu(sub); !scanned) return scanned;
    }
  }
  return Ok();
}

Status cIconMenu::AddIconMenuItem(QWidget* menu, QAction* action, int position) {
  if (action->isSeparator()) return Ok();
  // The text the menu shows: the caption, a tab and the shortcut.
  const QString text =
      iconmenu::MenuText(action->text(), action->shortcut().toString(QKeySequence::NativeText));
  const iconmenu::CaptionParts parts = iconmenu::SplitCaption(text);

  cIconMenuItem item;
  item.SetCaption(parts.caption);
  item.SetShortCut(parts.shortcut);
  item.SethMenu(menu);
  item.SetIndex(counter_);
  item.SetKey(parts.caption);
  item.SetPosition(position);
  if (parts.caption.contains(QLatin1Char('&'))) item.SetAccKey(iconmenu::AccKeyOf(parts.caption));
  item.SethSubMenu(action->menu());
  // Actions carry no command identifier unless the program gave one as an integer datum.
  bool has_id = false;
  const int id = action->data().toInt(&has_id);
  item.SetID(has_id && id != 0 ? id : position);

  if (Status added = items_.Add(item, parts.caption); !added) return added;
  action->setProperty(kIndexProperty, counter_);
  ++counter_;
  return Ok();
}

cIconMenu& MainIconMenu() {
  static cIconMenu instance;
  return instance;
}

}  // namespace yomika
