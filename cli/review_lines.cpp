#include "cli/review_lines.h"

#include <string>

namespace yomika::cli {
namespace {

// Appends `text` as a JSON string: quoted, with quotes, backslashes and control characters
// escaped. Encoded in `buffer` (reused: a text has many runs, a run a handful of strings)
// and appended to `out` at once.
void AppendJsonString(QByteArray& out, const Text& text, std::string& buffer) {
  buffer.clear();
  buffer += '"';
  for (const char32_t c : text) {
    if (c == U'"' || c == U'\\') {
      buffer += '\\';
      buffer += static_cast<char>(c);
    } else if (c < 0x20) {
      constexpr char kHex[] = "0123456789abcdef";
      buffer += "\\u00";
      buffer += kHex[c >> 4];
      buffer += kHex[c & 0xF];
    } else {
      AppendUtf8(buffer, c);
    }
  }
  buffer += '"';
  out.append(buffer.data(), static_cast<qsizetype>(buffer.size()));
}

}  // namespace

QByteArray ReviewLines(const Text& input, const std::vector<ReviewedRun>& runs) {
  // Reserved generously: only the pages written to are ever touched.
  QByteArray out;
  out.reserve(static_cast<qsizetype>(runs.size()) * 200);
  std::string buffer;
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
    out += "{\"line\": ";
    out += QByteArray::number(static_cast<qulonglong>(line));
    out += ", \"column\": ";
    out += QByteArray::number(static_cast<qulonglong>(run.input_begin - line_start + 1));
    out += ", \"text\": ";
    AppendJsonString(out, run.text, buffer);
    out += ", \"reading\": ";
    AppendJsonString(out, run.reading, buffer);
    out += run.review.uncertain ? ", \"uncertain\": true" : ", \"uncertain\": false";
    out += ", \"candidates\": [";
    for (std::size_t i = 0; i < run.review.candidates.size(); ++i) {
      if (i > 0) out += ", ";
      AppendJsonString(out, run.review.candidates[i].reading, buffer);
    }
    out += "]}\n";
  }
  return out;
}

}  // namespace yomika::cli
