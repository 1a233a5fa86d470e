#ifndef YOMIKA_ENGINE_TEXT_H_
#define YOMIKA_ENGINE_TEXT_H_

// The engine's working strings hold one element per character, so a character outside the
// Basic Multilingual Plane (𠮷) is never split and positions count characters.

#include <QString>
#include <cstdint>
#include <string>

namespace yomika {

using Text = std::u32string;

// A colour in the layout 0x00BBGGRR (red in the low byte).
using Colour = std::uint32_t;

inline Text ToText(const QString& s) { return s.toStdU32String(); }
inline QString ToQString(const Text& t) { return QString::fromStdU32String(t); }

// Text from UTF-8 literal or data.
inline Text Utf8ToText(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toStdU32String();
}

// Appends `c` to `out` in UTF-8; a lone surrogate, which no valid text holds, as U+FFFD
// (three bytes either way).
inline void AppendUtf8(std::string& out, char32_t c) {
  if (c >= 0xD800 && c <= 0xDFFF) c = 0xFFFD;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace yomika

#endif  // YOMIKA_ENGINE_TEXT_H_
