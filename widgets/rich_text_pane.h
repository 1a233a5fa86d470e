#ifndef YOMIKA_WIDGETS_RICH_TEXT_PANE_H_
#define YOMIKA_WIDGETS_RICH_TEXT_PANE_H_

// A text pane with a foreground colour for every character, offering the operations the
// rest of the program works with. Positions are 0-based and count characters of Text():
// a line break is the two characters CR LF, and a surrogate pair (𠮷) is one character.

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <QTextEdit>
#include <optional>
#include <vector>

#include "engine/text.h"

namespace yomika {

class RichTextPane : public QTextEdit {
  Q_OBJECT

 public:
  explicit RichTextPane(QWidget* parent = nullptr);

  // The whole text with CR LF line breaks.
  QString Text() const;
  // Replaces the whole text (CR LF, LF or CR line breaks), in the default colour (black).
  void SetText(const QString& text);

  // Out-of-range positions and lengths are clamped to the text; a negative length counts as 0.
  int SelStart() const;
  void SetSelStart(int start);  // collapses the selection to a caret at `start`
  int SelLength() const;
  void SetSelLength(int length);  // extends from SelStart()
  QString SelText() const;        // CR LF line breaks
  // Replaces the selection (or inserts at the caret) with `text` in the typing colour.
  void SetSelText(const QString& text);

  // The colour of the selection (of the character before the caret, or the typing colour,
  // when nothing is selected); std::nullopt when the selected characters have different
  // colours. A character without an explicit colour is black (0).
  std::optional<Colour> SelColor() const;
  // Colours the selection; with nothing selected, sets the colour new typing gets.
  void SetSelColor(Colour colour);

  // Searches `what` from character position `from` to the end, ignoring letter case; selects
  // the occurrence and returns its position, or -1 (selection unchanged). `what` may span
  // lines (any line break in it matches a line break), e.g. Find("b\nC", 0) on "ab\r\ncd" → 1.
  int Find(const QString& what, int from);

  // One colour per character of Text(), read by walking the document's fragments (the same
  // sequence of colours as selecting each character in turn, far faster). CR and LF both
  // take the colour of the line break, which is the colour stored for the paragraph
  // separator (the next block's QTextBlock::charFormat()). Colours drawn over the text as
  // display formats (SourceTagColours) count as shown.
  std::vector<Colour> Colours() const;

  // Colours the span [start, start + length) of the pane's plain text in UTF-16 units, as
  // QTextCursor counts (a line break is one unit there). For bulk colouring.
  void ColourRawSpan(int start, int length, Colour colour);

  // Document position (QTextCursor units) of a character position of Text(), and back.
  // A position between CR and LF maps to the line break; a document position inside a
  // surrogate pair maps to that character. Both clamp to the text. O(log n) after the first
  // call following an edit. Example on "a\r\n𠮷b": To(1) = 1, To(2) = 1, To(3) = 2, To(4) = 4.
  int ToDocumentPosition(int position) const;
  int FromDocumentPosition(int document_position) const;

 protected:
  // Pasting (and dropping) inserts the text/plain part only, in the typing colour.
  void insertFromMimeData(const QMimeData* source) override;

 private:
  // A place where document units and characters of Text() differ: a line break (one unit,
  // two characters CR LF) or a surrogate pair (two units, one character).
  struct Special {
    int document;   // document position of the unit(s)
    int character;  // character position in Text()
    bool line_break;
  };

  void OnContentsChange(int from, int removed, int added);
  void EnsureIndex() const;
  std::optional<Colour> RangeColour(int document_start, int document_end) const;

  mutable std::vector<Special> specials_;
  mutable bool index_valid_ = false;
  mutable int indexed_document_length_ = 0;  // units, without the final paragraph separator
  mutable int indexed_character_length_ = 0;
};

// The pane font: "ＭＳ ゴシック" 11.25 pt when installed, else a Japanese gothic font
// (IPAexGothic and kin), else the system fixed-pitch font, all at 11.25 pt, with
// RareIdeographFamilies() as fallbacks.
QFont PaneFont();

// Fonts with the ideographs outside the common set (CJK extensions A to F; Debian's
// fonts-hanazono): the fallbacks of the panes and the preview.
QStringList RareIdeographFamilies();

// 0x00BBGGRR ↔ QColor.
QColor ToQColor(Colour colour);
Colour FromQColor(const QColor& colour);

}  // namespace yomika

#endif  // YOMIKA_WIDGETS_RICH_TEXT_PANE_H_
