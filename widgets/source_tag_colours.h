#ifndef YOMIKA_WIDGETS_SOURCE_TAG_COLOURS_H_
#define YOMIKA_WIDGETS_SOURCE_TAG_COLOURS_H_

// Colours the ruby markup of an HTML source pane as it is shown: the tags <RUBY>, </RUBY>,
// <RT>, </RT> (any case) in blue and the readings between <RT> and </RT> in red. The colours
// are display formats of each line (QTextLayout formats), not character formats of the
// document: setting them is no edit, so they are no undo step, they do not mark the text as
// changed, and a 100,000-character conversion fills the pane without per-span cursor work.
// Each line is coloured again whenever it changes; a reading runs within one line.

#include <QObject>

class QTextBlock;
class QTextDocument;

namespace yomika {

class SourceTagColours final : public QObject {
 public:
  // Watches `document` (and is owned by it).
  explicit SourceTagColours(QTextDocument* document);

  // What is coloured from the next change of the text on (the settings Default/chkRUBY and
  // Default/chkString); both start on.
  void SetColouring(bool tags, bool readings);

 private:
  void OnContentsChange(int from, int removed, int added);
  void ColourBlock(const QTextBlock& block) const;

  QTextDocument* document_;
  bool tags_ = true;
  bool readings_ = true;
};

}  // namespace yomika

#endif  // YOMIKA_WIDGETS_SOURCE_TAG_COLOURS_H_
