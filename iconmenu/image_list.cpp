#include "iconmenu/image_list.h"

#include <QIcon>

namespace yomika {

void ImageList::Add(const QString& key, const QPixmap& picture) {
  QPixmap scaled = picture.size() == image_size_
                       ? picture
                       : picture.scaled(image_size_, Qt::IgnoreAspectRatio,
                                        Qt::SmoothTransformation);
  entries_.append(Entry{key, scaled});
}

int ImageList::IndexOf(const QString& key) const {
  for (qsizetype i = 0; i < entries_.size(); ++i) {
    if (entries_[i].key == key) return static_cast<int>(i) + 1;
  }
  return 0;
}

QPixmap ImageList::Image(int index) const {
  if (index < 1 || index > Count()) return {};
  return entries_[index - 1].picture;
}

QString ImageList::Key(int index) const {
  if (index < 1 || index > Count()) return {};
  return entries_[index - 1].key;
}

ImageList MainImageList() {
  struct Picture {
    const char* key;
    const char* resource;
  };
  static constexpr Picture kPictures[] = {
      {"ﾌﾟﾚﾋﾞｭｰ(&P)", ":/icons/preview.svg"}, {"ｿｰｽ(&D)", ":/icons/source.svg"},
      {"開始(&S)", ":/icons/start.svg"},       {"ｵﾌﾟｼｮﾝ(&O)", ":/icons/options.svg"},
      {"終了(&X)", ":/icons/exit.svg"},        {"新規作成(&N)", ":/icons/new.svg"},
      {"開く(&O)", ":/icons/open.svg"},        {"保存(&S)", ":/icons/save.svg"},
      {"次の要確認(&N)", ":/icons/next_doubt.svg"},
  };
  const QSize size(16, 16);
  ImageList list(size);
  for (const Picture& p : kPictures) {
    list.Add(QString::fromUtf8(p.key), QIcon(QString::fromUtf8(p.resource)).pixmap(size));
  }
  return list;
}

}  // namespace yomika
