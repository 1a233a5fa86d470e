#include "engine/source_tags.h"

namespace yomika {

std::vector<ColourSpan> FindTagOccurrences(QStringView text, QStringView tag, Colour colour) {
  std::vector<ColourSpan> spans;
  if (tag.isEmpty()) return spans;
  qsizetype from = 0;
  while (true) {
    const qsizetype found = text.indexOf(tag, from, Qt::CaseInsensitive);
    if (found < 0) break;
    spans.push_back(ColourSpan{found, tag.size(), colour});
    from = found + tag.size();
  }
  return spans;
}

std::vector<ColourSpan> FindRubyTextSpans(QStringView text) {
  static const QString kOpen = QStringLiteral("<RT>");
  static const QString kClose = QStringLiteral("</RT>");
  std::vector<ColourSpan> spans;
  qsizetype from = 0;
  while (true) {
    const qsizetype open = text.indexOf(kOpen, from, Qt::CaseInsensitive);
    if (open < 0) break;
    const qsizetype start = open + kOpen.size();
    const qsizetype close = text.indexOf(kClose, start, Qt::CaseInsensitive);
    if (close < 0) break;
    spans.push_back(ColourSpan{start, close - start, kRubyTextColour});
    from = close + kClose.size();
  }
  return spans;
}

}  // namespace yomika
