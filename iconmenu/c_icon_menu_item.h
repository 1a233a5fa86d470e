#ifndef YOMIKA_ICONMENU_C_ICON_MENU_ITEM_H_
#define YOMIKA_ICONMENU_C_ICON_MENU_ITEM_H_

// One recorded menu item of an icon menu, and the keyed collection the items are kept in.

#include <QList>
#include <QString>

#include "engine/outcome.h"

class QObject;

namespace yomika {

class cIconMenuItem {
 public:
  // Key of the item in its collection: its caption.
  const QString& Key() const { return key_; }
  void SetKey(const QString& value) { key_ = value; }
  // Recording number, 0-based; the menu item carries the same number.
  int Index() const { return index_; }
  void SetIndex(int value) { index_ = value; }
  // The menu (menu bar or drop-down) that holds the item.
  QObject* hMenu() const { return h_menu_; }
  void SethMenu(QObject* value) { h_menu_ = value; }
  // The drop-down the item opens; null for a command.
  QObject* hSubMenu() const { return h_sub_menu_; }
  void SethSubMenu(QObject* value) { h_sub_menu_ = value; }
  // Command identifier; the item's position where it has none.
  int ID() const { return id_; }
  void SetID(int value) { id_ = value; }
  // Menu text before the first tab, "&" marks included.
  const QString& Caption() const { return caption_; }
  void SetCaption(const QString& value) { caption_ = value; }
  // Menu text after the first tab (the shortcut display); "" when there is no tab.
  const QString& ShortCut() const { return short_cut_; }
  void SetShortCut(const QString& value) { short_cut_ = value; }
  // The character after the first "&" of the caption; "" when there is none.
  const QString& AccKey() const { return acc_key_; }
  void SetAccKey(const QString& value) { acc_key_ = value; }
  // 0-based position in its menu, separators counted.
  int Position() const { return position_; }
  void SetPosition(int value) { position_ = value; }
  bool FontBold() const { return font_bold_; }
  void SetFontBold(bool value) { font_bold_ = value; }
  bool FontItalic() const { return font_italic_; }
  void SetFontItalic(bool value) { font_italic_ = value; }
  bool FontUnderline() const { return font_underline_; }
  void SetFontUnderline(bool value) { font_underline_ = value; }

 private:
  QString key_;
  int index_ = 0;
  QObject* h_sub_menu_ = nullptr;
  int id_ = 0;
  QString caption_;
  QString short_cut_;
  QString acc_key_;
  int position_ = 0;
  QObject* h_menu_ = nullptr;
  bool font_bold_ = false;
  bool font_italic_ = false;
  bool font_underline_ = false;
};

// Recorded items in recording order, each under a key; keys compare without regard to case.
class IconMenuItemCollection {
 public:
  // Adds the item under `key`; fails, leaving the collection unchanged, when an item with the
  // same key (ignoring case) is already there.
  Status Add(const cIconMenuItem& item, const QString& key);
  int Count() const { return static_cast<int>(entries_.size()); }
  // The item under `key` (ignoring case); null when there is none.
  cIconMenuItem* Item(const QString& key);
  const cIconMenuItem* Item(const QString& key) const;
  // The item at 0-based `i` in recording order.
  const cIconMenuItem& At(int i) const { return entries_[i].item; }
  cIconMenuItem& At(int i) { return entries_[i].item; }

 private:
  struct Entry {
    QString key;
    cIconMenuItem item;
  };
  qsizetype Find(const QString& key) const;
  QList<Entry> entries_;
};

}  // namespace yomika

#endif  // YOMIKA_ICONMENU_C_ICON_MENU_ITEM_H_
