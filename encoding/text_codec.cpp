#include "encoding/text_codec.h"

#include <cstdint>

#include "encoding/cp932.h"
#include "encoding/euc_jp.h"

namespace yomika {
namespace {

constexpr char16_t kReplacement = u'\uFFFD';

// What the bytes of a file without a BOM show about their encoding, in one pass.
struct ByteCensus {
  qsizetype controls = 0;  // control codes no text file needs (NUL included)
  qsizetype zeros_at_even = 0;
  qsizetype zeros_at_odd = 0;
  qsizetype non_ascii = 0;
  qsizetype euc_impossible = 0;  // bytes no EUC-JP text holds
  qsizetype utf8_sequences = 0;  // valid multi-byte UTF-8 sequences
  qsizetype utf8_invalid = 0;    // invalid UTF-8 sequences, a cut at the end not counted
  qsizetype utf8_invalid_bytes = 0;
  bool utf8_cut_at_end = false;  // the bytes end inside a character that began validly
};

bool IsStrayControl(std::uint8_t byte) {
  return byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\v' && byte != '\f' &&
         byte != '\r' && byte != 0x1A && byte != 0x1B;
}

// The number of continuation bytes after a UTF-8 lead byte, and the range of the first one
// (the later ones are always 0x80–0xBF); 0 continuations for a byte that leads nothing.
struct Utf8Lead {
  int continuations;
  std::uint8_t first_low;
  std::uint8_t first_high;
};

Utf8Lead Utf8LeadOf(std::uint8_t byte) {
  if (byte >= 0xC2 && byte <= 0xDF) return {1, 0x80, 0xBF};
  if (byte == 0xE0) return {2, 0xA0, 0xBF};
  if (byte == 0xED) return {2, 0x80, 0x9F};
  if (byte >= 0xE1 && byte <= 0xEF) return {2, 0x80, 0xBF};
  if (byte == 0xF0) return {3, 0x90, 0xBF};
  if (byte >= 0xF1 && byte <= 0xF3) return {3, 0x80, 0xBF};
  if (byte == 0xF4) return {3, 0x80, 0x8F};
  return {0, 0, 0};
}

// One UTF-8 sequence starting at a non-ASCII byte: its length when valid, else the length of
// its longest valid beginning (at least one byte), which becomes one U+FFFD.
struct Utf8Step {
  qsizetype length;
  bool valid;
  bool cut_at_end;  // invalid only because the bytes end
};

Utf8Step StepUtf8(const std::uint8_t* data, qsizetype size, qsizetype i) {
  const Utf8Lead lead = Utf8LeadOf(data[i]);
  if (lead.continuations == 0) return {1, false, false};
  for (int k = 1; k <= lead.continuations; ++k) {
    if (i + k >= size) return {k, false, true};
    const std::uint8_t low = k == 1 ? lead.first_low : 0x80;
    const std::uint8_t high = k == 1 ? lead.first_high : 0xBF;
    if (data[i + k] < low || data[i + k] > high) return {k, false, false};
  }
  return {lead.continuations + 1, true, false};
}

ByteCensus TakeCensus(QByteArrayView bytes) {
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const qsizetype size = bytes.size();
  ByteCensus census;
  for (qsizetype i = 0; i < size; ++i) {
    const std::uint8_t byte = data[i];
    if (byte == 0) ++((i & 1) ? census.zeros_at_odd : census.zeros_at_even);
    if (IsStrayControl(byte)) ++census.controls;
    if (byte >= 0x80) {
      ++census.non_ascii;
      if ((byte <= 0xA0 && byte != 0x8E && byte != 0x8F) || byte == 0xFF) {
        ++census.euc_impossible;
      }
    }
  }
  for (qsizetype i = 0; i < size;) {
    if (data[i] < 0x80) {
      ++i;
      continue;
    }
    const Utf8Step step = StepUtf8(data, size, i);
    if (step.valid) {
      ++census.utf8_sequences;
    } else if (step.cut_at_end) {
      census.utf8_cut_at_end = true;
    } else {
      ++census.utf8_invalid;
      census.utf8_invalid_bytes += step.length;
    }
    i += step.length;
  }
  return census;
}

// NUL characters become U+FFFD and count as invalid: no text file means them.
DecodedInput Finish(QString text, InputEncoding encoding, qsizetype invalid) {
  for (QChar& c : text) {
    if (c.unicode() == 0) {
      c = QChar(kReplacement);
      ++invalid;
    }
  }
  return DecodedInput{std::move(text), encoding, static_cast<int>(invalid)};
}

// UTF-8: each invalid sequence (its longest valid beginning) becomes one U+FFFD.
DecodedInput DecodeUtf8(QByteArrayView bytes, InputEncoding kind) {
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const qsizetype size = bytes.size();
  QString text(size, Qt::Uninitialized);  // never more units than bytes
  char16_t* out = reinterpret_cast<char16_t*>(text.data());
  char16_t* const begin = out;
  qsizetype invalid = 0;
  for (qsizetype i = 0; i < size;) {
    if (data[i] < 0x80) {
      *out++ = data[i++];
      continue;
    }
    const Utf8Step step = StepUtf8(data, size, i);
    if (!step.valid) {
      *out++ = kReplacement;
      ++invalid;
      i += step.length;
      continue;
    }
    char32_t code_point = data[i] & (0x7F >> step.length);
    for (qsizetype k = 1; k < step.length; ++k) code_point = code_point << 6 | (data[i + k] & 0x3F);
    if (code_point > 0xFFFF) {
      *out++ = QChar::highSurrogate(code_point);
      *out++ = QChar::lowSurrogate(code_point);
    } else {
      *out++ = static_cast<char16_t>(code_point);
    }
    i += step.length;
  }
  text.truncate(out - begin);
  return Finish(std::move(text), kind, invalid);
}

// UTF-16: a surrogate without its partner and an odd final byte each become one U+FFFD.
DecodedInput DecodeUtf16(QByteArrayView bytes, bool little_endian, InputEncoding kind) {
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const qsizetype units = bytes.size() / 2;
  auto unit_at = [&](qsizetype i) -> char16_t {
    const std::uint8_t first = data[2 * i];
    const std::uint8_t second = data[2 * i + 1];
    return static_cast<char16_t>(little_endian ? second << 8 | first : first << 8 | second);
  };
  QString text(units + 1, Qt::Uninitialized);
  char16_t* out = reinterpret_cast<char16_t*>(text.data());
  char16_t* const begin = out;
  qsizetype invalid = 0;
  for (qsizetype i = 0; i < units; ++i) {
    const char16_t unit = unit_at(i);
    if (QChar::isHighSurrogate(unit) && i + 1 < units && QChar::isLowSurrogate(unit_at(i + 1))) {
      *out++ = unit;
      *out++ = unit_at(++i);
    } else if (QChar::isSurrogate(unit)) {
      *out++ = kReplacement;
      ++invalid;
    } else {
      *out++ = unit;
    }
  }
  if (bytes.size() % 2 != 0) {
    *out++ = kReplacement;
    ++invalid;
  }
  text.truncate(out - begin);
  return Finish(std::move(text), kind, invalid);
}

DecodedInput DecodeCp932(QByteArrayView bytes) {
  QString text = cp932::Decode(bytes);
  // CP932 has no form for U+FFFD, so every one in the text replaced a bad byte.
  const qsizetype invalid = text.count(QChar(kReplacement));
  return Finish(std::move(text), InputEncoding::kCp932, invalid);
}

DecodedInput DecodeEucJp(QByteArrayView bytes) {
  qsizetype invalid = 0;
  QString text = euc_jp::Decode(bytes, &invalid);
  return Finish(std::move(text), InputEncoding::kEucJp, invalid);
}

// Zero bytes at every other place only, at least one unit in 32 with one: the zero halves of
// ASCII characters (line breaks at least) in UTF-16. Sets *little_endian.
bool LooksLikeUtf16(const ByteCensus& census, qsizetype size, bool* little_endian) {
  if (size % 2 != 0) return false;
  const qsizetype zeros = census.zeros_at_even + census.zeros_at_odd;
  if (zeros < 2 || (census.zeros_at_even != 0 && census.zeros_at_odd != 0)) return false;
  if (zeros * 32 < size / 2) return false;
  *little_endian = census.zeros_at_odd != 0;
  return true;
}

bool LooksLikeUtf8(const ByteCensus& census) {
  if (census.utf8_invalid == 0) return census.utf8_sequences > 0 || !census.utf8_cut_at_end;
  return census.utf8_sequences >= 4 * census.utf8_invalid &&
         census.utf8_invalid_bytes * 8 <= census.non_ascii;
}

// How Japanese a decoding reads: kana, Japanese punctuation and full-width forms count for
// it, replaced sequences against it.
qsizetype JapaneseScore(const DecodedInput& decoded) {
  qsizetype score = -8 * qsizetype{decoded.invalid_count};
  for (const QChar c : decoded.text) {
    const char16_t u = c.unicode();
    if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0xFF01 && u <= 0xFF5E)) ++score;
  }
  return score;
}

DecodedInput DecodeWithoutBom(QByteArrayView bytes) {
  const ByteCensus census = TakeCensus(bytes);
  bool little_endian = false;
  if (LooksLikeUtf16(census, bytes.size(), &little_endian)) {
    DecodedInput utf16 = DecodeUtf16(bytes, little_endian, InputEncoding::kUtf16);
    if (utf16.invalid_count == 0) return utf16;
  }
  if (census.controls >= 2 && census.controls * 64 > bytes.size()) {
    return DecodedInput{QString(), InputEncoding::kBinary, 0};
  }
  if (LooksLikeUtf8(census)) return DecodeUtf8(bytes, InputEncoding::kUtf8);

  DecodedInput cp932 = DecodeCp932(bytes);
  // Lead bytes 0x81–0xA0 fill CP932 text and never occur in EUC-JP; when they are common the
  // second decoding can only lose.
  if (census.euc_impossible * 8 > census.non_ascii) return cp932;
  DecodedInput euc = DecodeEucJp(bytes);
  return JapaneseScore(euc) > JapaneseScore(cp932) ? euc : cp932;
}

}  // namespace

DecodedInput DecodeInput(QByteArrayView bytes) {
  if (bytes.startsWith(QByteArrayView("\xEF\xBB\xBF"))) {
    return DecodeUtf8(bytes.sliced(3), InputEncoding::kUtf8WithBom);
  }
  // 0xFF and 0xFE begin no CP932 character, so these BOMs cannot be the start of CP932 text.
  if (bytes.startsWith(QByteArrayView("\xFF\xFE")) ||
      bytes.startsWith(QByteArrayView("\xFE\xFF"))) {
    return DecodeUtf16(bytes.sliced(2), bytes[0] == '\xFF', InputEncoding::kUtf16WithBom);
  }
  return DecodeWithoutBom(bytes);
}

QString DescribeDecoding(const QString& name, const DecodedInput& decoded) {
  if (decoded.encoding == InputEncoding::kBinary) {
    return QStringLiteral("%1 はテキストではありません（制御文字の多いバイナリファイルです）。")
        .arg(name);
  }
  if (decoded.invalid_count == 0) return QString();
  return QStringLiteral(
             "%1 を %2 として読みましたが、読めないバイト列が %3 か所あり、"
             "U+FFFD（\uFFFD）に置き換えました。")
      .arg(name, EncodingName(decoded.encoding))
      .arg(decoded.invalid_count);
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
    case InputEncoding::kUtf16:
      return QStringLiteral("UTF-16");
    case InputEncoding::kCp932:
      return QStringLiteral("CP932");
    case InputEncoding::kEucJp:
      return QStringLiteral("EUC-JP");
    case InputEncoding::kBinary:
      return QStringLiteral("バイナリ");
  }
  return QString();
}

}  // namespace yomika
