#include "widgets/rich_text_pane.h"

#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

namespace yomika {
namespace {

constexpr Colour kBlack = 0x000000;
constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;
constexpr Colour kBlue = 0xFF0000;
constexpr qint64 kMixed = -1;

// One letter per character: k black, r red, g green, b blue, ? anything else.
QString Pattern(const std::vector<Colour>& colours) {
  QString out;
  for (const Colour c : colours) {
    out.append(c == kBlack   ? u'k'
               : c == kRed   ? u'r'
               : c == kGreen ? u'g'
               : c == kBlue  ? u'b'
                             : u'?');
  }
  return out;
}

Colour FromLetter(QChar letter) {
  switch (letter.unicode()) {
    case u'r':
      return kRed;
    case u'g':
      return kGreen;
    case u'b':
      return kBlue;
    default:
      return kBlack;
  }
}

// Reads each character's colour by selecting it; a line break is selected whole (CR LF) and
// gives both of its characters.
std::vector<Colour> PerCharacterReads(RichTextPane& pane) {
  const int length = static_cast<int>(pane.Colours().size());
  std::vector<Colour> colours;
  for (int pos = 0; pos < length; ++pos) {
    const bool line_break = pane.ToDocumentPosition(pos) == pane.ToDocumentPosition(pos + 1);
    pane.SetSelStart(pos);
    pane.SetSelLength(line_break ? 2 : 1);
    const std::optional<Colour> colour = pane.SelColor();
    colours.push_back(colour.value_or(0xDEAD));
    if (line_break) {
      colours.push_back(colour.value_or(0xDEAD));
      ++pos;
    }
  }
  return colours;
}

class PastePane : public RichTextPane {
 public:
  using RichTextPane::insertFromMimeData;
};

}  // namespace

class RichTextPaneTest : public QObject {
  Q_OBJECT

 private slots:
  // --- normal ---
  void TextLineBreaks_data();
  void TextLineBreaks();
  void Selection_data();
  void Selection();
  void DocumentPositions_data();
  void DocumentPositions();
  void SetSelText_data();
  void SetSelText();
  void SelColor_data();
  void SelColor();
  void Find_data();
  void Find();
  void ColoursMatchPerCharacterReads_data();
  void ColoursMatchPerCharacterReads();
  void ColourRawSpan_data();
  void ColourRawSpan();
  void PastePlainTextOnly();
  void TypingColour();
  // --- edge / regression ---
  void SetTextMakesEverythingBlack();
  void IndexFollowsSameLengthEdits_data();
  void IndexFollowsSameLengthEdits();
  void IndexFollowsEditInsideOpenEditBlock();
  void LineBreakColourIsTheSeparatorsOwn();
};

void RichTextPaneTest::TextLineBreaks_data() {
  QTest::addColumn<QString>("input");
  QTest::addColumn<QString>("expected");
  QTest::addColumn<int>("characters");  // length of Colours()
  QTest::newRow("empty") << QString() << QString() << 0;
  QTest::newRow("one line") << QStringLiteral("漢字abc") << QStringLiteral("漢字abc") << 5;
  QTest::newRow("CR LF") << QStringLiteral("a\r\nb") << QStringLiteral("a\r\nb") << 4;
  QTest::newRow("lone LF") << QStringLiteral("a\nb") << QStringLiteral("a\r\nb") << 4;
  QTest::newRow("lone CR") << QStringLiteral("a\rb") << QStringLiteral("a\r\nb") << 4;
  QTest::newRow("mixed") << QStringLiteral("a\rb\nc\r\nd") << QStringLiteral("a\r\nb\r\nc\r\nd")
                         << 10;
  QTest::newRow("LF CR is two breaks")
      << QStringLiteral("a\n\rb") << QStringLiteral("a\r\n\r\nb") << 6;
  QTest::newRow("CR CR LF is two breaks")
      << QStringLiteral("a\r\r\nb") << QStringLiteral("a\r\n\r\nb") << 6;
  QTest::newRow("empty lines") << QStringLiteral("\r\n\r\n") << QStringLiteral("\r\n\r\n") << 4;
  QTest::newRow("trailing break") << QStringLiteral("a\r\n") << QStringLiteral("a\r\n") << 3;
  QTest::newRow("surrogate pair") << QStringLiteral("𠮷野家\r\n𠮷")
                                  << QStringLiteral("𠮷野家\r\n𠮷") << 6;
  QTest::newRow("line separator") << QStringLiteral("a\u2028b") << QStringLiteral("a\r\nb") << 4;
  QTest::newRow("no-break space kept")
      << QStringLiteral("a\u00A0b") << QStringLiteral("a\u00A0b") << 3;
}

void RichTextPaneTest::TextLineBreaks() {
  QFETCH(QString, input);
  QFETCH(QString, expected);
  QFETCH(int, characters);
  RichTextPane pane;
  pane.SetText(input);
  QCOMPARE(pane.Text(), expected);
  QCOMPARE(static_cast<int>(pane.Colours().size()), characters);
  pane.SetText(pane.Text());
  QCOMPARE(pane.Text(), expected);
}

void RichTextPaneTest::Selection_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("start");
  QTest::addColumn<int>("length");
  QTest::addColumn<int>("expectedStart");
  QTest::addColumn<int>("expectedLength");
  QTest::addColumn<QString>("expectedText");
  // normal
  QTest::newRow("plain") << QStringLiteral("abcdef") << 1 << 3 << 1 << 3 << QStringLiteral("bcd");
  QTest::newRow("across CR LF") << QStringLiteral("ab\r\ncd") << 1 << 4 << 1 << 4
                                << QStringLiteral("b\r\nc");
  QTest::newRow("after CR LF") << QStringLiteral("ab\r\ncd") << 4 << 2 << 4 << 2
                               << QStringLiteral("cd");
  QTest::newRow("just the break") << QStringLiteral("ab\r\ncd") << 2 << 2 << 2 << 2
                                  << QStringLiteral("\r\n");
  QTest::newRow("surrogate pair") << QStringLiteral("𠮷野\r\n家") << 0 << 1 << 0 << 1
                                  << QStringLiteral("𠮷");
  QTest::newRow("after surrogate pair")
      << QStringLiteral("𠮷野\r\n家") << 1 << 4 << 1 << 4 << QStringLiteral("野\r\n家");
  QTest::newRow("two breaks two pairs")
      << QStringLiteral("𠮷\r\n𠮷\r\nx") << 3 << 4 << 3 << 4 << QStringLiteral("𠮷\r\nx");
  // edge: a position between CR and LF is the line break's position
  QTest::newRow("start between CR LF")
      << QStringLiteral("ab\r\ncd") << 3 << 2 << 2 << 2 << QStringLiteral("\r\n");
  QTest::newRow("end between CR LF")
      << QStringLiteral("ab\r\ncd") << 0 << 3 << 0 << 2 << QStringLiteral("ab");
  QTest::newRow("caret at end") << QStringLiteral("ab\r\n") << 4 << 0 << 4 << 0 << QString();
  // bad input: clamped, nothing lost
  QTest::newRow("negative start") << QStringLiteral("abc") << -5 << 2 << 0 << 2
                                  << QStringLiteral("ab");
  QTest::newRow("start past end") << QStringLiteral("abc") << 99 << 2 << 3 << 0 << QString();
  QTest::newRow("length past end")
      << QStringLiteral("a\r\nb") << 1 << 99 << 1 << 3 << QStringLiteral("\r\nb");
  QTest::newRow("negative length") << QStringLiteral("abc") << 1 << -2 << 1 << 0 << QString();
}

void RichTextPaneTest::Selection() {
  QFETCH(QString, text);
  QFETCH(int, start);
  QFETCH(int, length);
  QFETCH(int, expectedStart);
  QFETCH(int, expectedLength);
  QFETCH(QString, expectedText);
  RichTextPane pane;
  pane.SetText(text);
  pane.SetSelStart(start);
  pane.SetSelLength(length);
  QCOMPARE(pane.SelStart(), expectedStart);
  QCOMPARE(pane.SelLength(), expectedLength);
  QCOMPARE(pane.SelText(), expectedText);
}

void RichTextPaneTest::DocumentPositions_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("position");
  QTest::addColumn<int>("documentPosition");
  QTest::addColumn<int>("back");  // FromDocumentPosition(documentPosition)
  const QString text = QStringLiteral("a\r\n𠮷b\r\n\r\nc");  // units: a ¶ 𠮷(2) b ¶ ¶ c
  QTest::newRow("start") << text << 0 << 0 << 0;
  QTest::newRow("CR") << text << 1 << 1 << 1;
  QTest::newRow("between CR LF") << text << 2 << 1 << 1;
  QTest::newRow("pair") << text << 3 << 2 << 3;
  QTest::newRow("after pair") << text << 4 << 4 << 4;
  QTest::newRow("second break") << text << 5 << 5 << 5;
  QTest::newRow("empty line") << text << 7 << 6 << 7;
  QTest::newRow("last char") << text << 9 << 7 << 9;
  QTest::newRow("end") << text << 10 << 8 << 10;
  QTest::newRow("past end") << text << 50 << 8 << 10;
  QTest::newRow("negative") << text << -1 << 0 << 0;
}

void RichTextPaneTest::DocumentPositions() {
  QFETCH(QString, text);
  QFETCH(int, position);
  QFETCH(int, documentPosition);
  QFETCH(int, back);
  RichTextPane pane;
  pane.SetText(text);
  QCOMPARE(pane.ToDocumentPosition(position), documentPosition);
  QCOMPARE(pane.FromDocumentPosition(documentPosition), back);
}

void RichTextPaneTest::SetSelText_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("start");
  QTest::addColumn<int>("length");
  QTest::addColumn<QString>("insert");
  QTest::addColumn<QString>("expected");
  QTest::addColumn<int>("caret");
  QTest::newRow("insert at caret")
      << QStringLiteral("ac") << 1 << 0 << QStringLiteral("b") << QStringLiteral("abc") << 2;
  QTest::newRow("replace") << QStringLiteral("a__d") << 1 << 2 << QStringLiteral("bc")
                           << QStringLiteral("abcd") << 3;
  QTest::newRow("insert CR LF") << QStringLiteral("ab") << 1 << 0 << QStringLiteral("\r\n")
                                << QStringLiteral("a\r\nb") << 3;
  QTest::newRow("insert lone LF") << QStringLiteral("ab") << 1 << 0 << QStringLiteral("x\ny")
                                  << QStringLiteral("ax\r\nyb") << 5;
  QTest::newRow("replace a break")
      << QStringLiteral("a\r\nb") << 1 << 2 << QStringLiteral("-") << QStringLiteral("a-b") << 2;
  QTest::newRow("after pair") << QStringLiteral("𠮷b") << 1 << 1 << QStringLiteral("𠮷")
                              << QStringLiteral("𠮷𠮷") << 2;
  QTest::newRow("delete") << QStringLiteral("a\r\nb") << 0 << 3 << QString() << QStringLiteral("b")
                          << 0;
}

void RichTextPaneTest::SetSelText() {
  QFETCH(QString, text);
  QFETCH(int, start);
  QFETCH(int, length);
  QFETCH(QString, insert);
  QFETCH(QString, expected);
  QFETCH(int, caret);
  RichTextPane pane;
  pane.SetText(text);
  pane.SetSelStart(start);
  pane.SetSelLength(length);
  pane.SetSelText(insert);
  QCOMPARE(pane.Text(), expected);
  QCOMPARE(pane.SelStart(), caret);
  QCOMPARE(pane.SelLength(), 0);
}

// Text 赤赤黒 CR LF 𠮷青, coloured r r k (break g) b k.
void RichTextPaneTest::SelColor_data() {
  QTest::addColumn<int>("start");
  QTest::addColumn<int>("length");
  QTest::addColumn<qint64>("expected");
  QTest::newRow("uniform red") << 0 << 2 << qint64{kRed};
  QTest::newRow("red and black") << 0 << 3 << kMixed;
  QTest::newRow("the break") << 3 << 2 << qint64{kGreen};
  QTest::newRow("break from between CR LF") << 4 << 2 << qint64{kGreen};
  // Ending between CR and LF leaves the break out: here nothing is selected.
  QTest::newRow("CR alone selects nothing") << 3 << 1 << qint64{kBlack};
  QTest::newRow("break and pair") << 3 << 3 << kMixed;
  QTest::newRow("pair") << 5 << 1 << qint64{kBlue};
  QTest::newRow("unset is black") << 6 << 1 << qint64{kBlack};
  QTest::newRow("caret after red") << 2 << 0 << qint64{kRed};
  QTest::newRow("caret after black") << 3 << 0 << qint64{kBlack};
  // At the start of a line the caret reports the first character there (QTextCursor rule).
  QTest::newRow("caret at line start") << 5 << 0 << qint64{kBlue};
  QTest::newRow("caret at text start") << 0 << 0 << qint64{kRed};
}

void RichTextPaneTest::SelColor() {
  QFETCH(int, start);
  QFETCH(int, length);
  QFETCH(qint64, expected);
  RichTextPane pane;
  pane.SetText(QStringLiteral("赤赤黒\r\n𠮷青"));
  pane.ColourRawSpan(0, 2, kRed);
  pane.ColourRawSpan(3, 1, kGreen);
  pane.ColourRawSpan(4, 2, kBlue);
  pane.SetSelStart(start);
  pane.SetSelLength(length);
  const std::optional<Colour> colour = pane.SelColor();
  QCOMPARE(colour ? qint64{*colour} : kMixed, expected);
}

void RichTextPaneTest::Find_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("what");
  QTest::addColumn<int>("from");
  QTest::addColumn<int>("expected");
  QTest::addColumn<int>("selected");  // SelLength after a hit
  // normal
  QTest::newRow("first") << QStringLiteral("xx abc") << QStringLiteral("abc") << 0 << 3 << 3;
  QTest::newRow("ignores case") << QStringLiteral("ABC abc") << QStringLiteral("aBc") << 0 << 0
                                << 3;
  QTest::newRow("from skips earlier")
      << QStringLiteral("ABC abc") << QStringLiteral("abc") << 1 << 4 << 3;
  QTest::newRow("full-width ignores case")
      << QStringLiteral("ＡＢＣ") << QStringLiteral("ａｂｃ") << 0 << 0 << 3;
  QTest::newRow("after a line break")
      << QStringLiteral("ab\r\nab\r\nab") << QStringLiteral("AB") << 1 << 4 << 2;
  QTest::newRow("from the next line")
      << QStringLiteral("ab\r\nab\r\nab") << QStringLiteral("ab") << 4 << 4 << 2;
  QTest::newRow("after a pair") << QStringLiteral("𠮷野𠮷野") << QStringLiteral("野") << 2 << 3
                                << 1;
  QTest::newRow("a pair") << QStringLiteral("a\r\n𠮷x𠮷") << QStringLiteral("𠮷") << 4 << 5 << 1;
  QTest::newRow("across lines") << QStringLiteral("ab\r\ncd\r\ncd") << QStringLiteral("B\ncd") << 0
                                << 1 << 5;
  QTest::newRow("across lines from")
      << QStringLiteral("b\r\ncb\r\nc") << QStringLiteral("b\r\nC") << 1 << 4 << 4;
  // edge
  QTest::newRow("from between CR LF")
      << QStringLiteral("a\r\nb") << QStringLiteral("b") << 2 << 3 << 1;
  QTest::newRow("at the very end") << QStringLiteral("abc") << QStringLiteral("c") << 2 << 2 << 1;
  QTest::newRow("not found") << QStringLiteral("abc") << QStringLiteral("x") << 0 << -1 << 0;
  QTest::newRow("only earlier") << QStringLiteral("abc") << QStringLiteral("a") << 1 << -1 << 0;
  // bad input
  QTest::newRow("empty what") << QStringLiteral("abc") << QString() << 0 << -1 << 0;
  QTest::newRow("from past end") << QStringLiteral("abc") << QStringLiteral("a") << 10 << -1 << 0;
  QTest::newRow("negative from") << QStringLiteral("abc") << QStringLiteral("a") << -3 << 0 << 1;
}

void RichTextPaneTest::Find() {
  QFETCH(QString, text);
  QFETCH(QString, what);
  QFETCH(int, from);
  QFETCH(int, expected);
  QFETCH(int, selected);
  RichTextPane pane;
  pane.SetText(text);
  pane.SetSelStart(1);
  pane.SetSelLength(0);
  QCOMPARE(pane.Find(what, from), expected);
  if (expected >= 0) {
    QCOMPARE(pane.SelStart(), expected);
    QCOMPARE(pane.SelLength(), selected);
  } else {
    QCOMPARE(pane.SelStart(), 1);  // unchanged
    QCOMPARE(pane.SelLength(), 0);
  }
}

void RichTextPaneTest::ColoursMatchPerCharacterReads_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("colours");  // one letter per character, see Pattern()
  QTest::newRow("black") << QStringLiteral("ab\r\nc") << QStringLiteral("kkkkk");
  QTest::newRow("mixed lines and pair")
      << QStringLiteral("赤𠮷青\r\n\r\nab𠮷\r\nz") << QStringLiteral("rbbggkkrrbkkb");
  QTest::newRow("coloured empty line") << QStringLiteral("a\r\n\r\nb") << QStringLiteral("rkkrrg");
  QTest::newRow("break differs from both sides")
      << QStringLiteral("ab\r\ncd") << QStringLiteral("rrbbrr");
}

void RichTextPaneTest::ColoursMatchPerCharacterReads() {
  QFETCH(QString, text);
  QFETCH(QString, colours);
  RichTextPane pane;
  pane.SetText(text);
  // Paint through the selection; a line break is painted whole with its CR's letter.
  int pos = 0;
  while (pos < colours.size()) {
    const bool line_break = pane.ToDocumentPosition(pos) == pane.ToDocumentPosition(pos + 1);
    pane.SetSelStart(pos);
    pane.SetSelLength(line_break ? 2 : 1);
    pane.SetSelColor(FromLetter(colours.at(pos)));
    pos += line_break ? 2 : 1;
  }
  QCOMPARE(Pattern(pane.Colours()), colours);
  QCOMPARE(Pattern(PerCharacterReads(pane)), colours);
}

void RichTextPaneTest::ColourRawSpan_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("start");
  QTest::addColumn<int>("length");
  QTest::addColumn<QString>("colours");
  QTest::newRow("inside a line") << QStringLiteral("abcd") << 1 << 2 << QStringLiteral("krrk");
  QTest::newRow("over a break") << QStringLiteral("ab\r\ncd") << 1 << 2 << QStringLiteral("krrrkk");
  QTest::newRow("a pair is two units") << QStringLiteral("𠮷a") << 0 << 2 << QStringLiteral("rk");
  QTest::newRow("negative start clamps")
      << QStringLiteral("abc") << -2 << 3 << QStringLiteral("rkk");
  QTest::newRow("past end clamps") << QStringLiteral("abc") << 2 << 50 << QStringLiteral("kkr");
  QTest::newRow("half a pair keeps the pair's colour")
      << QStringLiteral("𠮷a") << 1 << 1 << QStringLiteral("kk");
  QTest::newRow("zero length") << QStringLiteral("abc") << 1 << 0 << QStringLiteral("kkk");
  QTest::newRow("entirely outside") << QStringLiteral("abc") << 9 << 2 << QStringLiteral("kkk");
}

void RichTextPaneTest::ColourRawSpan() {
  QFETCH(QString, text);
  QFETCH(int, start);
  QFETCH(int, length);
  QFETCH(QString, colours);
  RichTextPane pane;
  pane.SetText(text);
  pane.ColourRawSpan(start, length, kRed);
  QCOMPARE(Pattern(pane.Colours()), colours);
  QCOMPARE(Pattern(PerCharacterReads(pane)), colours);
  QCOMPARE(pane.Text(), text);
}

void RichTextPaneTest::PastePlainTextOnly() {
  PastePane pane;
  pane.SetText(QStringLiteral("[]"));
  pane.SetSelStart(1);
  QMimeData mime;
  mime.setHtml(QStringLiteral("<b style=\"color:#ff0000\">赤</b>"));
  mime.setText(QStringLiteral("x\ry\r\nz"));
  pane.insertFromMimeData(&mime);
  QCOMPARE(pane.Text(), QStringLiteral("[x\r\ny\r\nz]"));
  QCOMPARE(Pattern(pane.Colours()), QStringLiteral("kkkkkkkkk"));
  QTextCursor cursor(pane.document());
  cursor.setPosition(2);
  QCOMPARE(cursor.charFormat().fontWeight(), cursor.document()->defaultFont().weight());
  QCOMPARE(pane.SelStart(), 8);  // caret after the pasted text

  QMimeData html_only;
  html_only.setHtml(QStringLiteral("<i>html</i>"));
  pane.insertFromMimeData(&html_only);
  QCOMPARE(pane.Text(), QStringLiteral("[x\r\ny\r\nz]"));
}

void RichTextPaneTest::TypingColour() {
  RichTextPane pane;
  pane.SetText(QStringLiteral("ab"));
  pane.SetSelStart(1);
  pane.SetSelColor(kBlue);
  QCOMPARE(pane.SelColor(), std::optional<Colour>(kBlue));
  pane.SetSelText(QStringLiteral("x\r\ny"));
  QCOMPARE(pane.Text(), QStringLiteral("ax\r\nyb"));
  QCOMPARE(Pattern(pane.Colours()), QStringLiteral("kbbbbk"));
}

void RichTextPaneTest::SetTextMakesEverythingBlack() {
  RichTextPane pane;
  pane.SetText(QStringLiteral("ab\r\ncd"));
  pane.ColourRawSpan(0, 5, kRed);
  pane.SetSelStart(1);
  pane.SetSelColor(kGreen);
  pane.SetText(QStringLiteral("ef\r\ngh"));
  QCOMPARE(Pattern(pane.Colours()), QStringLiteral("kkkkkk"));
  QCOMPARE(pane.SelColor(), std::optional<Colour>(kBlack));
  pane.SetSelText(QStringLiteral("x"));
  QCOMPARE(Pattern(pane.Colours()), QStringLiteral("kkkkkkk"));
  QVERIFY(!pane.document()->isUndoAvailable() || pane.document()->availableUndoSteps() == 1);
}

// An edit that keeps the document length must still update the position index.
void RichTextPaneTest::IndexFollowsSameLengthEdits_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("start");
  QTest::addColumn<int>("length");
  QTest::addColumn<QString>("insert");
  QTest::addColumn<int>("probe");  // a character position read back after the edit
  QTest::addColumn<int>("probeDocument");
  QTest::newRow("char becomes break")
      << QStringLiteral("axb") << 1 << 1 << QStringLiteral("\r\n") << 3 << 2;
  QTest::newRow("break becomes char")
      << QStringLiteral("a\r\nb") << 1 << 2 << QStringLiteral("x") << 2 << 2;
  QTest::newRow("two chars become pair")
      << QStringLiteral("abcd") << 1 << 2 << QStringLiteral("𠮷") << 2 << 3;
  QTest::newRow("pair becomes two chars")
      << QStringLiteral("a𠮷d") << 1 << 1 << QStringLiteral("bc") << 3 << 3;
}

void RichTextPaneTest::IndexFollowsSameLengthEdits() {
  QFETCH(QString, text);
  QFETCH(int, start);
  QFETCH(int, length);
  QFETCH(QString, insert);
  QFETCH(int, probe);
  QFETCH(int, probeDocument);
  RichTextPane pane;
  pane.SetText(text);
  QCOMPARE(pane.ToDocumentPosition(1), 1);  // builds the index before the edit
  pane.SetSelStart(start);
  pane.SetSelLength(length);
  QTextCursor cursor = pane.textCursor();
  cursor.insertText(insert == QStringLiteral("\r\n") ? QString(QChar::ParagraphSeparator) : insert);
  QCOMPARE(pane.ToDocumentPosition(probe), probeDocument);
  QCOMPARE(pane.FromDocumentPosition(probeDocument), probe);
}

void RichTextPaneTest::IndexFollowsEditInsideOpenEditBlock() {
  RichTextPane pane;
  pane.SetText(QStringLiteral("ab\r\ncd"));
  QCOMPARE(pane.ToDocumentPosition(4), 3);  // builds the index before the edit
  QTextCursor cursor(pane.document());
  cursor.beginEditBlock();
  cursor.setPosition(1);
  cursor.insertText(QStringLiteral("\n"));
  QCOMPARE(pane.ToDocumentPosition(6), 4);  // "a\r\nb\r\ncd": the c
  pane.ColourRawSpan(4, 1, kRed);
  cursor.endEditBlock();
  QCOMPARE(Pattern(pane.Colours()), QStringLiteral("kkkkkkrk"));
  QCOMPARE(pane.ToDocumentPosition(7), 5);
}

// The line break's colour is the one stored for its paragraph separator, not that of the
// characters around it.
void RichTextPaneTest::LineBreakColourIsTheSeparatorsOwn() {
  RichTextPane pane;
  pane.SetText(QStringLiteral("ab\r\ncd"));
  pane.ColourRawSpan(2, 1, kGreen);
  QCOMPARE(Pattern(pane.Colours()), QStringLiteral("kkggkk"));
  const QTextBlock first = pane.document()->begin();
  QCOMPARE(FromQColor(first.next().charFormat().foreground().color()), kGreen);
}

}  // namespace yomika

QTEST_MAIN(yomika::RichTextPaneTest)
#include "rich_text_pane_test.moc"
