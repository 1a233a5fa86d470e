#ifndef YOMIKA_ENCODING_CP932_H_
#define YOMIKA_ENCODING_CP932_H_

// Code page 932 (Windows Shift-JIS, with the NEC and IBM extensions), table-driven.
// The tables were generated from glibc iconv "CP932" (see tools/gen_cp932_table.py), so
// 0x5C is the backslash, 〜 − ‖ map as Windows maps them and the control codes 0x1A, 0x1C
// and 0x7F stay themselves.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace yomika::cp932 {

// The CP932 code of one character: its byte value when single-byte, lead × 256 + trail when
// double-byte; std::nullopt when CP932 has no form for the character.
// Example: CodeOf(U'A') == 0x41, CodeOf(U'漢') == 0x8ABF, CodeOf(U'𠮷') == std::nullopt.
std::optional<std::uint16_t> CodeOf(char32_t c);

// The character of a CP932 code (as CodeOf gives it), or std::nullopt when the code has none.
// Example: CharOf(0x82A0) == u'あ', CharOf(0x85A0) == std::nullopt.
std::optional<char16_t> CharOf(std::uint16_t code);

// Decodes CP932 bytes. Every byte that does not begin a valid character becomes one U+FFFD
// and decoding goes on with the next byte.
QString Decode(QByteArrayView bytes);

// Encodes text; every character without a CP932 form becomes a numeric character reference
// such as "&#x20BB7;" (a surrogate pair is one character), so nothing is lost in HTML.
QByteArray EncodeWithCharacterReferences(QStringView text);

// Encodes text, or std::nullopt when some character has no CP932 form.
std::optional<QByteArray> Encode(QStringView text);

}  // namespace yomika::cp932

#endif  // YOMIKA_ENCODING_CP932_H_
