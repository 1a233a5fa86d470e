#include "cli/review_lines.h"

namespace yomika::cli {
namespace {

// Appends `text` as a JSON string: quoted, with quotes, backslashes and control characters
// escaped.
void AppendJsonString(QByteArray& out, const Text& text) {
  out += '"';
  QString plain;
  plain.reserve(static_cast<qsizetype>(text.size()));
  for (const char32_t c : text) {
    if (c == U'"' || c == U'\\') {
      plain += QLatin1Char('\\');
      plain += QChar(static_cast<char16_t>(c));
    } else if (c < 0x20) {
      plain += QStringLiteral("\\u%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0'));
    } else if (c > 0xFFFF) {
      plain += QChar(QChar::highSurrogate(c));
      plain += QChar(QChar::lowSurrogate(c));
    } else {
      plain += QChar(static_cast<char16_t>(c));
    }
  }
  out += plain.toUtf8();
  out += '"';
}

}  // namespace

QByteArray ReviewLines(const Text& input, const std::vector<ReviewedRun>& runs) {
  QByteArray out;
  out.reserve(static_cast<qsizetype>(runs.size()) * 120);
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
    out += "{\"line\": " + QByteArray::number(static_cast<qulonglong>(line));
    out += ", \"column\": " +
           QByteArray::number(static_cast<qulonglong>(run.input_begin - line_start + 1));
    out += ", \"text\": ";
    AppendJsonString(out, run.text);
    out += ", \"reading\": ";
    AppendJsonString(out, run.reading);
    out += run.review.uncertain ? ", \"uncertain\": true" : ", \"uncertain\": false";
    out += ", \"candidates\": [";
    for (std::size_t i = 0; i < run.review.candidates.size(); ++i) {
      if (i > 0) out += ", ";
      AppendJsonString(out, run.review.candidates[i].reading);
    }
    out += "]}\n";
  }
  return out;
}

}  // namespace yomika::cli
