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

}  // namespace yomika

#endif  // YOMIKA_ENGINE_TEXT_H_
