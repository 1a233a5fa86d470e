#include "widgets/rich_text_pane.h"

#include <QFontDatabase>
#include <QMimeData>
#include <QPalette>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextLayout>
#include <algorithm>
#include <array>

namespace yomika {

namespace {

constexpr QChar kParagraphSeparator = QChar::ParagraphSeparator;
// Shift+Enter puts a line separator inside a block; it is a line break of Text() too.
constexpr QChar kLineSeparator = QChar::LineSeparator;

// A same-length edit larger than this simply drops the position index instead of checking
// the edited range unit by unit.
constexpr int kMaxCheckedRange = 4096;

bool IsLineBreakUnit(QChar c) { return c == kParagraphSeparator || c == kLineSeparator; }

// CR LF, lone CR and lone LF all become '\n', which QTextCursor::insertText turns into
// paragraph breaks.
QString ToInsertable(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c == u'\r') {
      out.append(u'\n');
      if (i + 1 < text.size() && text.at(i + 1) == u'\n') ++i;
    } else {
      out.append(c);
    }
  }
  return out;
}

// Document text (paragraph/line separators) → CR LF line breaks.
QString ToCrLf(const QString& raw) {
  QString out;
  out.reserve(raw.size() + raw.size() / 16);
  for (const QChar c : raw) {
    if (IsLineBreakUnit(c)) {
      out.append(u'\r');
      out.append(u'\n');
    } else {
      out.append(c);
    }
  }
  return out;
}

Colour FormatColour(const QTextCharFormat& format) {
  const QBrush brush = format.foreground();
  if (brush.style() == Qt::NoBrush) return 0;
  return FromQColor(brush.color());
}

// The format stored for the paragraph separator that ends `block` (it is what the next
// block reports as its char format).
QTextCharFormat SeparatorFormat(const QTextBlock& block) { return block.next().charFormat(); }

}  // namespace

QColor ToQColor(Colour colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

Colour FromQColor(const QColor& colour) {
  const QColor rgb = colour.toRgb();
  return static_cast<Colour>(rgb.red()) | (static_cast<Colour>(rgb.green()) << 8) |
         (static_cast<Colour>(rgb.blue()) << 16);
}

QFont PaneFont() {
  constexpr double kPointSize = 11.25;
  const std::array<QString, 6> families = {
      QStringLiteral("ＭＳ ゴシック"),    QStringLiteral("IPAexGothic"),
      QStringLiteral("IPAGothic"),        QStringLiteral("Noto Sans Mono CJK JP"),
      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL Gothic"),
  };
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  for (const QString& family : families) {
    if (QFontDatabase::hasFamily(family)) {
      font = QFont(family);
      break;
    }
  }
  // Ideographs the font lacks (𠮷 and the other rare ones) come from the fallbacks.
  font.setFamilies(QStringList{font.family()} + RareIdeographFamilies());
  font.setPointSizeF(kPointSize);
  return font;
}

QStringList RareIdeographFamilies() {
  return {QStringLiteral("HanaMinA"), QStringLiteral("HanaMinB")};
}

RichTextPane::RichTextPane(QWidget* parent) : QTextEdit(parent) {
  setAcceptRichText(false);
  setFont(PaneFont());
  // Characters without an explicit colour count as black, so show them black on white
  // whatever the desktop theme says.
  QPalette pal = palette();
  pal.setColor(QPalette::Base, Qt::white);
  pal.setColor(QPalette::Text, Qt::black);
  setPalette(pal);
  connect(document(), &QTextDocument::contentsChange, this, &RichTextPane::OnContentsChange);
}

QString RichTextPane::Text() const { return ToCrLf(document()->toRawText()); }

void RichTextPane::SetText(const QString& text) {
  // QTextEdit::setPlainText gives the new text the caret's char format and keeps the layout
  // lazy (a cursor insert of the same text lays out all of it at once, seconds for 1 MB).
  QTextCharFormat black;
  black.setForeground(QColor(Qt::black));
  QTextCursor cursor = textCursor();
  cursor.clearSelection();
  cursor.setCharFormat(black);
  setTextCursor(cursor);
  setPlainText(ToInsertable(text));
  // A fresh caret reads its colour from the text, so later colouring shows at position 0.
  setTextCursor(QTextCursor(document()));
  index_valid_ = false;
}

int RichTextPane::SelStart() const { return FromDocumentPosition(textCursor().selectionStart()); }

void RichTextPane::SetSelStart(int start) {
  QTextCursor cursor = textCursor();
  cursor.setPosition(ToDocumentPosition(start));
  setTextCursor(cursor);
}

int RichTextPane::SelLength() const {
  const QTextCursor cursor = textCursor();
  return FromDocumentPosition(cursor.selectionEnd()) -
         FromDocumentPosition(cursor.selectionStart());
}

void RichTextPane::SetSelLength(int length) {
  const int start = SelStart();
  const int end = start + std::max(length, 0);
  QTextCursor cursor = textCursor();
  cursor.setPosition(ToDocumentPosition(start));
  cursor.setPosition(ToDocumentPosition(end < start ? start : end), QTextCursor::KeepAnchor);
  setTextCursor(cursor);
}

QString RichTextPane::SelText() const { return ToCrLf(textCursor().selectedText()); }

void RichTextPane::SetSelText(const QString& text) {
  QTextCursor cursor = textCursor();
  cursor.insertText(ToInsertable(text));
  setTextCursor(cursor);
}

std::optional<Colour> RichTextPane::SelColor() const {
  const QTextCursor cursor = textCursor();
  if (!cursor.hasSelection()) return FormatColour(cursor.charFormat());
  return RangeColour(cursor.selectionStart(), cursor.selectionEnd());
}

void RichTextPane::SetSelColor(Colour colour) {
  QTextCharFormat format;
  format.setForeground(ToQColor(colour));
  // Colours the selection, or with none sets the cursor's typing format.
  mergeCurrentCharFormat(format);
}

int RichTextPane::Find(const QString& what, int from) {
  EnsureIndex();
  const int start = std::max(from, 0);
  if (what.isEmpty() || start > indexed_character_length_) return -1;
  const bool multi_line = std::any_of(what.begin(), what.end(), [](QChar c) {
    return c == u'\r' || c == u'\n' || IsLineBreakUnit(c);
  });
  if (!multi_line) {
    const QTextCursor found = document()->find(what, ToDocumentPosition(start));
    if (found.isNull()) return -1;
    setTextCursor(found);
    return FromDocumentPosition(found.selectionStart());
  }
  // QTextDocument::find stays within one paragraph, so search the CR LF text instead.
  const QString needle = ToCrLf(ToInsertable(what).replace(u'\n', kParagraphSeparator));
  const QString text = Text();
  qsizetype unit_from = 0;  // `start` counts characters; `text` is UTF-16
  for (int chars = 0; chars < start && unit_from < text.size(); ++chars) {
    const bool pair = text.at(unit_from).isHighSurrogate() && unit_from + 1 < text.size() &&
                      text.at(unit_from + 1).isLowSurrogate();
    unit_from += pair ? 2 : 1;
  }
  // Between CR and LF counts as the line break itself, as in ToDocumentPosition.
  if (unit_from > 0 && unit_from < text.size() && text.at(unit_from) == u'\n') --unit_from;
  const qsizetype at = text.indexOf(needle, unit_from, Qt::CaseInsensitive);
  if (at < 0) return -1;
  // Every CR LF is one document unit.
  const int doc_start = static_cast<int>(at - QStringView(text).left(at).count(u'\n'));
  const int doc_end = doc_start + static_cast<int>(needle.size() - needle.count(u'\n'));
  QTextCursor found(document());
  found.setPosition(doc_start);
  found.setPosition(doc_end, QTextCursor::KeepAnchor);
  setTextCursor(found);
  return FromDocumentPosition(doc_start);
}

std::vector<Colour> RichTextPane::Colours() const {
  EnsureIndex();
  std::vector<Colour> colours;
  colours.reserve(static_cast<std::size_t>(indexed_character_length_));
  std::vector<Colour> units;  // one colour per UTF-16 unit of the block
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    units.clear();
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      units.insert(units.end(), static_cast<std::size_t>(fragment.length()),
                   FormatColour(fragment.charFormat()));
    }
    // Display formats (SourceTagColours) show over the characters' own colours.
    for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
      if (!range.format.hasProperty(QTextFormat::ForegroundBrush)) continue;
      const auto begin = static_cast<std::size_t>(std::clamp(range.start, 0, int(units.size())));
      const auto end = static_cast<std::size_t>(
          std::clamp(range.start + range.length, int(begin), int(units.size())));
      std::fill(units.begin() + begin, units.begin() + end, FormatColour(range.format));
    }
    // A high surrogate and the low one after it are one character, even when a colour
    // change splits them into two fragments.
    const QString text = block.text();
    for (qsizetype i = 0; i < text.size() && i < qsizetype(units.size()); ++i) {
      const QChar c = text.at(i);
      if (c.isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate()) continue;
      colours.push_back(units[static_cast<std::size_t>(i)]);
      if (c == kLineSeparator) colours.push_back(units[static_cast<std::size_t>(i)]);
    }
    if (block.next().isValid()) {
      const Colour colour = FormatColour(SeparatorFormat(block));
      colours.push_back(colour);
      colours.push_back(colour);
    }
  }
  return colours;
}

void RichTextPane::ColourRawSpan(int start, int length, Colour colour) {
  const int doc_length = document()->characterCount() - 1;
  const int begin = std::clamp(start, 0, doc_length);
  const int end = std::clamp(start + std::max(length, 0), begin, doc_length);
  if (begin == end) return;
  QTextCharFormat format;
  format.setForeground(ToQColor(colour));
  QTextCursor cursor(document());
  // Inside an edit block the cursor skips laying out the line for its x position.
  cursor.beginEditBlock();
  cursor.setPosition(begin);
  cursor.setPosition(end, QTextCursor::KeepAnchor);
  cursor.mergeCharFormat(format);
  cursor.endEditBlock();
}

int RichTextPane::ToDocumentPosition(int position) const {
  EnsureIndex();
  const int p = std::clamp(position, 0, indexed_character_length_);
  const auto next = std::upper_bound(specials_.begin(), specials_.end(), p,
                                     [](int v, const Special& s) { return v < s.character; });
  if (next == specials_.begin()) return p;
  const Special& s = *std::prev(next);
  const int chars = s.line_break ? 2 : 1;
  const int units = s.line_break ? 1 : 2;
  if (p < s.character + chars) return s.document;
  return s.document + units + (p - s.character - chars);
}

int RichTextPane::FromDocumentPosition(int document_position) const {
  EnsureIndex();
  const int d = std::clamp(document_position, 0, indexed_document_length_);
  const auto next = std::upper_bound(specials_.begin(), specials_.end(), d,
                                     [](int v, const Special& s) { return v < s.document; });
  if (next == specials_.begin()) return d;
  const Special& s = *std::prev(next);
  const int chars = s.line_break ? 2 : 1;
  const int units = s.line_break ? 1 : 2;
  if (d < s.document + units) return s.character;
  return s.character + chars + (d - s.document - units);
}

void RichTextPane::insertFromMimeData(const QMimeData* source) {
  if (source == nullptr || !source->hasText()) return;
  QTextCursor cursor = textCursor();
  cursor.insertText(ToInsertable(source->text()));
  setTextCursor(cursor);
  ensureCursorVisible();
}

void RichTextPane::OnContentsChange(int from, int removed, int added) {
  if (!index_valid_) return;
  if (removed != added || added > kMaxCheckedRange) {
    index_valid_ = false;
    return;
  }
  // Same length: a colour change, or a replacement of equal size. The index still holds if
  // the special units in the range (widened by one for a pair cut at either end) are those
  // it lists.
  const QTextDocument* doc = document();
  const int lo = std::max(from - 1, 0);
  const int hi = std::min(from + added + 1, doc->characterCount() - 1);
  auto it = std::lower_bound(specials_.begin(), specials_.end(), lo,
                             [](const Special& s, int v) { return s.document < v; });
  for (int d = lo; d < hi; ++d) {
    const QChar c = doc->characterAt(d);
    bool special = false;
    bool line_break = false;
    if (IsLineBreakUnit(c)) {
      special = true;
      line_break = true;
    } else if (c.isHighSurrogate() && d + 1 < doc->characterCount() - 1 &&
               doc->characterAt(d + 1).isLowSurrogate()) {
      special = true;
    }
    if (special) {
      if (it == specials_.end() || it->document != d || it->line_break != line_break) {
        index_valid_ = false;
        return;
      }
      ++it;
      if (!line_break) ++d;
    } else if (it != specials_.end() && it->document == d) {
      index_valid_ = false;
      return;
    }
  }
}

void RichTextPane::EnsureIndex() const {
  const int doc_length = document()->characterCount() - 1;
  // Edits inside an open edit block report no change yet; a changed length still shows.
  if (index_valid_ && doc_length == indexed_document_length_) return;
  const QString raw = document()->toRawText();
  specials_.clear();
  int chars = 0;
  for (qsizetype i = 0; i < raw.size(); ++i) {
    const QChar c = raw.at(i);
    if (IsLineBreakUnit(c)) {
      specials_.push_back({static_cast<int>(i), chars, true});
      chars += 2;
    } else if (c.isHighSurrogate() && i + 1 < raw.size() && raw.at(i + 1).isLowSurrogate()) {
      specials_.push_back({static_cast<int>(i), chars, false});
      chars += 1;
      ++i;
    } else {
      chars += 1;
    }
  }
  indexed_document_length_ = static_cast<int>(raw.size());
  indexed_character_length_ = chars;
  index_valid_ = true;
}

std::optional<Colour> RichTextPane::RangeColour(int document_start, int document_end) const {
  std::optional<Colour> result;
  bool mixed = false;
  const auto take = [&](Colour c) {
    if (!result) {
      result = c;
    } else if (*result != c) {
      mixed = true;
    }
  };
  for (QTextBlock block = document()->findBlock(document_start);
       block.isValid() && block.position() < document_end && !mixed; block = block.next()) {
    QChar previous_unit;  // the unit before each fragment, to spot a split surrogate pair
    for (QTextBlock::iterator it = block.begin(); !it.atEnd() && !mixed; ++it) {
      const QTextFragment fragment = it.fragment();
      const int f_start = fragment.position();
      const int f_end = f_start + fragment.length();
      if (f_start >= document_end) break;
      if (f_end > document_start) {
        const QString text = fragment.text();
        int lo = std::max(f_start, document_start);
        const int hi = std::min(f_end, document_end);
        const QChar before = lo > f_start ? text.at(lo - f_start - 1) : previous_unit;
        // The low half of a pair takes the colour of its high half.
        if (text.at(lo - f_start).isLowSurrogate() && before.isHighSurrogate()) ++lo;
        if (lo < hi) take(FormatColour(fragment.charFormat()));
        previous_unit = text.back();
      } else {
        previous_unit = fragment.text().back();
      }
    }
    const int separator = block.position() + block.length() - 1;
    if (block.next().isValid() && separator >= document_start && separator < document_end) {
      take(FormatColour(SeparatorFormat(block)));
    }
  }
  if (mixed) return std::nullopt;
  return result.value_or(0);
}

}  // namespace yomika
