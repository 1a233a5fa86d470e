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

enum class InputEncoding { kUtf8, kUtf8WithBom, kUtf16WithBom, kCp932 };

struct DecodedInput {
  QString text;
  InputEncoding encoding = InputEncoding::kUtf8;
  int invalid_count = 0;  // byte sequences that became U+FFFD
};

// Decodes by a BOM when there is one (UTF-8, UTF-16 LE/BE), else as UTF-8 when the bytes
// are valid UTF-8, else as CP932. The BOM is not part of the text; every invalid sequence
// becomes one U+FFFD and is counted.
// Example: "\x8A\xBF\x8E\x9A" → 漢字 (CP932); "a\xFF" → a U+FFFD with one invalid (CP932).
DecodedInput DecodeInput(QByteArrayView bytes);

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
