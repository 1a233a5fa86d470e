#ifndef YOMIKA_WIDGETS_PREVIEW_MARKS_H_
#define YOMIKA_WIDGETS_PREVIEW_MARKS_H_

// What the program and the preview page tell each other about ruby elements: which to mark as
// doubtful, and which one the author clicked.

#include <QRect>
#include <QString>

namespace yomika {

// A ruby element of the page to mark: its ordinal among the page's ruby elements, and the
// base text and reading it must still show to be marked.
struct PreviewMark {
  int ordinal = 0;
  QString text;
  QString reading;
  friend bool operator==(const PreviewMark&, const PreviewMark&) = default;
};

// A ruby element the author clicked (or the program revealed): its ordinal, base text and
// reading as the page shows them, and where it is on the screen (global coordinates).
struct RubyClick {
  int ordinal = -1;
  QString text;
  QString reading;
  QRect global_rect;
};

}  // namespace yomika

#endif  // YOMIKA_WIDGETS_PREVIEW_MARKS_H_
