#ifndef YOMIKA_ENCODING_TEXT_CODEC_H_
#define YOMIKA_ENCODING_TEXT_CODEC_H_

// The one text decoder and encoder of the program: the bytes of a text file (or of the
// converter's input) turned into the text the input pane holds, and that text back into the
// bytes of a text file. The command line and the window both read and write through here.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <functional>
#include <optional>

namespace yomika {

enum class InputEncoding {
  kUtf8,
  kUtf8WithBom,
  kUtf16WithBom,
  kUtf16,  // without a BOM, told by its zero bytes
  kCp932,
  kEucJp,
  kBinary,  // not text: nothing was decoded
};

struct DecodedInput {
  QString text;
  InputEncoding encoding = InputEncoding::kUtf8;
  // Places that became U+FFFD: invalid byte sequences, lone UTF-16 surrogates, an odd final
  // byte of UTF-16, NUL characters.
  int invalid_count = 0;
};

// Decodes the bytes of a text file. A BOM decides (UTF-8, UTF-16 LE/BE) and is not part of the
// text. Without one the bytes are weighed:
//  - UTF-16 without a BOM when zero bytes stand at every other place only, often enough;
//  - kBinary (empty text) when more than 1 in 64 bytes are control codes other than tab, line
//    and page breaks, SUB and ESC;
//  - UTF-8 when no byte sequence is invalid apart from a character cut off at the very end, or
//    when valid multi-byte sequences outnumber invalid ones four to one and at most 1 in 8
//    non-ASCII bytes is invalid (a cut or damaged UTF-8 file stays UTF-8);
//  - otherwise CP932 or EUC-JP, whichever decodes into more kana, Japanese punctuation and
//    full-width forms, each invalid sequence weighing against it as eight of those; CP932
//    on a tie.
// Every invalid sequence becomes one U+FFFD and is counted, and so is every NUL.
// Example: "\x8A\xBF\x8E\x9A" → 漢字 (CP932); "\xB4\xC1\xA4\xCE" → 漢の (EUC-JP);
//          "\xE6\xBC\xA2\xE5\xAD" → 漢 U+FFFD (UTF-8, one invalid).
DecodedInput DecodeInput(QByteArrayView bytes);

// What the user is told about the decoding of the file called `name`: that it is not text
// (kBinary), or in which encoding it was read and how many places became U+FFFD; empty when
// there is nothing to tell.
QString DescribeDecoding(const QString& name, const DecodedInput& decoded);

// Every line break as CR LF: a lone LF or a lone CR becomes CR LF.
// Example: "a\nb\rc\r\nd" → "a\r\nb\r\nc\r\nd".
QString NormaliseLineBreaks(QStringView text);

// The encoding's name for messages ("UTF-8", "CP932" …).
QString EncodingName(InputEncoding encoding);

// UTF-8 with a leading BOM. A UTF-8 text file carries a BOM so that programs which default to
// Shift-JIS for .txt files still recognise it; DecodeInput drops the BOM again.
QByteArray EncodeUtf8WithBom(QStringView text);

// The bytes of a text file: CP932 when every character has a CP932 form; otherwise UTF-8 with
// a BOM if `utf8_allowed()` (called only in that case) returns true, else std::nullopt.
std::optional<QByteArray> EncodeTextFile(QStringView text,
                                         const std::function<bool()>& utf8_allowed);

}  // namespace yomika

#endif  // YOMIKA_ENCODING_TEXT_CODEC_H_
