#include "encoding/text_codec.h"

#include <QStringDecoder>

#include "encoding/cp932.h"

namespace yomika {
namespace {

constexpr char16_t kReplacement = u'\uFFFD';

// Decodes with Qt's decoder; the count is the replacement characters the decoder added,
// which excludes the ones spelled out in valid input.
DecodedInput DecodeWith(QStringDecoder::Encoding encoding, QByteArrayView bytes, InputEncoding kind,
                        qsizetype literal_replacements) {
  QStringDecoder decoder(encoding,
                         QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
  DecodedInput result{decoder(bytes), kind, 0};
  if (decoder.hasError()) {
    result.invalid_count =
        static_cast<int>(result.text.count(QChar(kReplacement)) - literal_replacements);
  }
  return result;
}

qsizetype CountUtf16Replacements(QByteArrayView bytes, bool little_endian) {
  qsizetype count = 0;
  for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
    const auto lo = static_cast<unsigned char>(bytes[little_endian ? i : i + 1]);
    const auto hi = static_cast<unsigned char>(bytes[little_endian ? i + 1 : i]);
    if (lo == 0xFD && hi == 0xFF) ++count;
  }
  return count;
}

}  // namespace

DecodedInput DecodeInput(QByteArrayView bytes) {
  const QByteArrayView utf8_replacement("\xEF\xBF\xBD");
  if (bytes.startsWith(QByteArrayView("\xEF\xBB\xBF"))) {
    const QByteArrayView body = bytes.sliced(3);
    return DecodeWith(QStringDecoder::Utf8, body, InputEncoding::kUtf8WithBom,
                      body.count(utf8_replacement));
  }
  // 0xFF and 0xFE begin no CP932 character, so these BOMs cannot be the start of CP932 text.
  if (bytes.startsWith(QByteArrayView("\xFF\xFE")) ||
      bytes.startsWith(QByteArrayView("\xFE\xFF"))) {
    const bool little_endian = bytes[0] == '\xFF';
    const QByteArrayView body = bytes.sliced(2);
    return DecodeWith(little_endian ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE, body,
                      InputEncoding::kUtf16WithBom, CountUtf16Replacements(body, little_endian));
  }
  DecodedInput utf8 = DecodeWith(QStringDecoder::Utf8, bytes, InputEncoding::kUtf8, 0);
  if (utf8.invalid_count == 0) return utf8;

  DecodedInput cp932{cp932::Decode(bytes), InputEncoding::kCp932, 0};
  // CP932 has no form for U+FFFD, so every one in the text replaced a bad byte.
  cp932.invalid_count = static_cast<int>(cp932.text.count(QChar(kReplacement)));
  return cp932;
}

QString NormaliseLineBreaks(QStringView text) {
  QString result;
  result.reserve(text.size() + text.size() / 16);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == u'\r') {
      result += QLatin1String("\r\n");
      if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    } else if (c == u'\n') {
      result += QLatin1String("\r\n");
    } else {
      result += c;
    }
  }
  return result;
}

QByteArray EncodeUtf8WithBom(QStringView text) {
  return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

std::optional<QByteArray> EncodeTextFile(QStringView text,
                                         const std::function<bool()>& utf8_allowed) {
  if (std::optional<QByteArray> bytes = cp932::Encode(text)) return bytes;
  if (utf8_allowed && utf8_allowed()) return EncodeUtf8WithBom(text);
  return std::nullopt;
}

QString EncodingName(InputEncoding encoding) {
  switch (encoding) {
    case InputEncoding::kUtf8:
      return QStringLiteral("UTF-8");
    case InputEncoding::kUtf8WithBom:
      return QStringLiteral("UTF-8 (BOM)");
    case InputEncoding::kUtf16WithBom:
      return QStringLiteral("UTF-16 (BOM)");
    case InputEncoding::kCp932:
      return QStringLiteral("CP932");
  }
  return QString();
}

}  // namespace yomika
