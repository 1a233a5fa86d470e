#include "encoding/euc_jp.h"

#include <QStringDecoder>
#include <cstdint>
#include <optional>

#include "encoding/cp932.h"

namespace yomika::euc_jp {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsGraphic(std::uint8_t byte) { return byte >= 0xA1 && byte <= 0xFE; }

// A JIS X 0208 character given by its two EUC-JP bytes, through its Shift-JIS code.
std::optional<char16_t> FromJisX0208(std::uint8_t first, std::uint8_t second) {
  const int row = first - 0x80;
  const int cell = second - 0x80;
  int lead = ((row - 0x21) >> 1) + 0x81;
  if (lead > 0x9F) lead += 0x40;
  int trail = cell + 0x7E;
  if (row & 1) {
    trail = cell + 0x1F;
    if (trail >= 0x7F) ++trail;
  }
  return cp932::CharOf(static_cast<std::uint16_t>(lead << 8 | trail));
}

// A JIS X 0212 character given by its three EUC-JP bytes, where ICU is at hand.
std::optional<char16_t> FromJisX0212(const char* bytes) {
  QStringDecoder decoder("EUC-JP", QStringDecoder::Flag::Stateless);
  if (!decoder.isValid()) return std::nullopt;
  const QString text = decoder(QByteArrayView(bytes, 3));
  if (decoder.hasError() || text.size() != 1 || text[0] == QChar(kReplacement)) {
    return std::nullopt;
  }
  return text[0].unicode();
}

}  // namespace

QString Decode(QByteArrayView bytes, qsizetype* invalid) {
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const qsizetype size = bytes.size();
  QString text;
  text.reserve(size);
  qsizetype bad = 0;
  for (qsizetype i = 0; i < size;) {
    const std::uint8_t byte = data[i];
    const qsizetype left = size - i;
    std::optional<char16_t> unit;
    qsizetype length = 1;
    if (byte < 0x80) {
      unit = byte;
    } else if (byte == 0x8E && left >= 2 && data[i + 1] >= 0xA1 && data[i + 1] <= 0xDF) {
      unit = static_cast<char16_t>(0xFF61 + data[i + 1] - 0xA1);
      length = 2;
    } else if (byte == 0x8F && left >= 3 && IsGraphic(data[i + 1]) && IsGraphic(data[i + 2])) {
      unit = FromJisX0212(bytes.data() + i);
      length = 3;
    } else if (IsGraphic(byte) && left >= 2 && IsGraphic(data[i + 1])) {
      unit = FromJisX0208(byte, data[i + 1]);
      length = 2;
    }
    if (unit) {
      text += QChar(*unit);
    } else {
      // A well-formed but unassigned code is one bad character; a broken one is one bad byte,
      // so that a stray byte cannot swallow the character after it.
      text += QChar(kReplacement);
      ++bad;
    }
    i += length;
  }
  *invalid = bad;
  return text;
}

}  // namespace yomika::euc_jp
