#include "iconmenu/c_icon_menu_item.h"

namespace yomika {

qsizetype IconMenuItemCollection::Find(const QString& key) const {
  for (qsizetype i = 0; i < entries_.size(); ++i) {
    if (entries_[i].key.compare(key, Qt::CaseInsensitive) == 0) return i;
  }
  return -1;
}

Status IconMenuItemCollection::Add(const cIconMenuItem& item, const QString& key) {
  if (Find(key) >= 0) {
    return Failure{QStringLiteral("The menu item \"%1\" cannot be recorded: another item of the "
                                  "menu has the same caption.")
                       .arg(key)};
  }
  entries_.append(Entry{key, item});
  return Ok();
}

cIconMenuItem* IconMenuItemCollection::Item(const QString& key) {
  const qsizetype i = Find(key);
  return i < 0 ? nullptr : &entries_[i].item;
}

const cIconMenuItem* IconMenuItemCollection::Item(const QString& key) const {
  const qsizetype i = Find(key);
  return i < 0 ? nullptr : &entries_[i].item;
}

}  // namespace yomika
