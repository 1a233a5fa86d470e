#ifndef YOMIKA_ICONMENU_C_ICON_MENU_H_
#define YOMIKA_ICONMENU_C_ICON_MENU_H_

// Prepares a window's menu bar and its drop-down menus for drawing with images: records every
// item, marks it as drawn by the icon menu style and installs that style (with the menu
// character rule) on the menus. Images come from an image list, looked up by caption.

#include <QPointer>
#include <QString>

#include "engine/outcome.h"
#include "iconmenu/c_icon_menu_item.h"

class QAction;
class QMainWindow;
class QMenuBar;
class QWidget;

namespace yomika {

class ImageList;

class cIconMenu {
 public:
  // Records the menu tree of the target window and installs the drawing on it; nothing when
  // the window has no menu bar. Fails on two items with the same caption (ignoring case):
  // recording stops at the second one.
  Status SetIconMenu();
  // Takes the drawing off the menus again; nothing when the window has no menu bar. The items
  // stay recorded.
  void UnSetIconMenu();

  // The key of the item recorded as number `lngID`; "" when there is none.
  QString GetIDtoKey(int lngID) const;
  // The 0-based image of the item with key `strKey`; −1 when there is none or no image list.
  int GetImageIndex(const QString& strKey) const;

  QMainWindow* hTargetWnd() const;
  // Stores the window and takes its menu bar (none when the window has none); another window
  // than before starts a new recording.
  void SethTargetWnd(QMainWindow* window);
  QMenuBar* hMenu() const;

  IconMenuItemCollection& IconMenuItems() { return items_; }
  const IconMenuItemCollection& IconMenuItems() const { return items_; }
  void SetIconMenuItems(IconMenuItemCollection items) { items_ = std::move(items); }

  const ImageList* MenuDefaultImage() const { return images_; }
  // Stores the image list (not owned) and sizes the image cell to its pictures.
  void SetMenuDefaultImage(const ImageList* images);

  int IconWidth() const { return icon_width_; }
  // Widens the image cell; only with an image list, and never below its picture width.
  void SetIconWidth(int vNewValue);
  int IconHeight() const { return icon_height_; }
  // Heightens the image cell; only with an image list, never below its picture height.
  void SetIconHeight(int vNewValue);

  // Highlight style: 1 fills a selected item right of its framed image, 2 keeps the menu
  // colours and frames the item, anything else fills the whole item.
  int Style() const { return style_; }
  void SetStyle(int value) { style_ = value; }

  // The number a recorded menu item carries; −1 for an action that was never recorded.
  static int RecordedIndex(const QAction* action);

 private:
  Status ScanMenu(QWidget* menu);
  Status AddIconMenuItem(QWidget* menu, QAction* action, int position);

  IconMenuItemCollection items_;
  QPointer<QMainWindow> target_;
  QPointer<QMenuBar> menu_;
  int counter_ = 0;
  int icon_width_ = 0;
  int icon_height_ = 0;
  const ImageList* images_ = nullptr;
  int style_ = 0;
};

// The icon menu of the main window, created on first use.
cIconMenu& MainIconMenu();

}  // namespace yomika

#endif  // YOMIKA_ICONMENU_C_ICON_MENU_H_
