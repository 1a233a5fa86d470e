#ifndef YOMIKA_ICONMENU_IMAGE_LIST_H_
#define YOMIKA_ICONMENU_IMAGE_LIST_H_

// A list of same-sized pictures, each under a key (the main menu's captions), addressed by
// key or by 1-based index.

#include <QList>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace yomika {

class ImageList {
 public:
  explicit ImageList(QSize image_size) : image_size_(image_size) {}

  // Adds a picture, scaled to the list's image size.
  void Add(const QString& key, const QPixmap& picture);

  QSize ImageSize() const { return image_size_; }
  int Count() const { return static_cast<int>(entries_.size()); }
  // The 1-based index of the picture under `key` (exact match); 0 when there is none.
  int IndexOf(const QString& key) const;
  // The picture at 1-based `index`; a null pixmap when out of range.
  QPixmap Image(int index) const;
  QString Key(int index) const;

 private:
  struct Entry {
    QString key;
    QPixmap picture;
  };
  QSize image_size_;
  QList<Entry> entries_;
};

// The main window's eight pictures (ImageList1), keyed by the main menu's captions:
// 1 Preview, 2 Source, 3 Start, 4 Options, 5 Exit, 6 New, 7 Open, 8 Save.
ImageList MainImageList();

}  // namespace yomika

#endif  // YOMIKA_ICONMENU_IMAGE_LIST_H_
