#ifndef YOMIKA_CLI_INPUT_DECODING_H_
#define YOMIKA_CLI_INPUT_DECODING_H_

// The converter's input bytes turned into the text the input pane would hold.

#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace yomika::cli {

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

}  // namespace yomika::cli

#endif  // YOMIKA_CLI_INPUT_DECODING_H_
