#include "cli/review_lines.h"

namespace yomika::cli {
namespace {

// `text` as a JSON string: quoted, with quotes, backslashes and control characters escaped.
QString JsonString(const Text& text) {
  QString out = QStringLiteral("\"");
  for (const char32_t c : text) {
    if (c == U'"' || c == U'\\') {
      out += QLatin1Char('\\');
      out += QChar(static_cast<char16_t>(c));
    } else if (c < 0x20) {
      out += QStringLiteral("\\u%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0'));
    } else {
      out += ToQString(Text(1, c));
    }
  }
  out += QLatin1Char('"');
  return out;
}

}  // namespace

QByteArray ReviewLines(const Text& input, const std::vector<ReviewedRun>& runs) {
  QString out;
  std::size_t line = 1;
  std::size_t line_start = 0;
  std::size_t at = 0;  // scanned up to here
  for (const ReviewedRun& run : runs) {
    for (; at < run.input_begin && at < input.size(); ++at) {
      const char32_t c = input[at];
      if (c == U'\n' || (c == U'\r' && (at + 1 >= input.size() || input[at + 1] != U'\n'))) {
        ++line;
        line_start = at + 1;
      }
    }
    QString candidates;
    for (const ReadingCandidate& candidate : run.review.candidates) {
      if (!candidates.isEmpty()) candidates += QStringLiteral(", ");
      candidates += JsonString(candidate.reading);
    }
    out += QStringLiteral(
               "{\"line\": %1, \"column\": %2, \"text\": %3, \"reading\": %4, "
               "\"uncertain\": %5, \"candidates\": [%6]}\n")
               .arg(line)
               .arg(run.input_begin - line_start + 1)
               .arg(JsonString(run.text), JsonString(run.reading),
                    run.review.uncertain ? QStringLiteral("true") : QStringLiteral("false"),
                    candidates);
  }
  return out.toUtf8();
}

}  // namespace yomika::cli
