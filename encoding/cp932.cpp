#include "encoding/cp932.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace yomika::cp932 {
namespace {

#include "encoding/cp932_table.inc"

constexpr char16_t kReplacement = 0xFFFD;
// "&#x10FFFF;" is the longest reference a character can need.
constexpr qsizetype kMaxReferenceLength = 10;

// Code point -> code for the whole BMP. A flat 128 KB array makes the per-character lookup a
// single load, which matters because the engine asks once per character of large texts.
// No character outside the BMP has a code (the generator refuses to write a table otherwise).
class EncodeTable {
 public:
  EncodeTable() {
    codes_.fill(kNoCode);
    // Ascending code order, so among several codes for one character the lowest one is kept;
    // kEncodeChoices then records every place where glibc picks differently.
    for (int byte = 0; byte < 256; ++byte) {
      if (kSingleByte[byte] != kNotSingle) Claim(kSingleByte[byte], byte);
    }
    for (int lead = 0; lead < 256; ++lead) {
      const std::uint8_t row = kLeadIndex[lead];
      if (row == kNotLead) continue;
      for (int trail = kTrailFirst; trail <= kTrailLast; ++trail) {
        const std::uint16_t unit = kDoubleByte[row][trail - kTrailFirst];
        if (unit != 0) Claim(unit, static_cast<std::uint16_t>(lead << 8 | trail));
      }
    }
    for (const EncodeChoice& choice : kEncodeChoices) codes_[choice.code_point] = choice.code;
  }

  // kNoCode when the unit has no code (always so for surrogates).
  std::uint16_t CodeOf(char16_t unit) const { return codes_[unit]; }

 private:
  void Claim(std::uint16_t unit, std::uint16_t code) {
    if (codes_[unit] == kNoCode) codes_[unit] = code;
  }

  std::array<std::uint16_t, 0x10000> codes_;
};

const EncodeTable& Encoder() {
  static const EncodeTable table;
  return table;
}

char* AppendReference(char32_t code_point, char* out) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  *out++ = '&';
  *out++ = '#';
  *out++ = 'x';
  int shift = 20;
  while (shift > 0 && (code_point >> shift) == 0) shift -= 4;
  for (; shift >= 0; shift -= 4) *out++ = kHex[(code_point >> shift) & 0xF];
  *out++ = ';';
  return out;
}

// Encodes into *out. Without references, stops and returns false at the first character that
// has no code; with them, writes a reference for it and always returns true.
template <bool kWithReferences>
bool EncodeInto(QStringView text, QByteArray* out) {
  const EncodeTable& table = Encoder();
  const char16_t* units = text.utf16();
  const qsizetype size = text.size();
  // Every encodable unit takes at most two bytes, so only references can outgrow this.
  out->resize(2 * size);
  char* begin = out->data();
  char* dest = begin;
  for (qsizetype i = 0; i < size;) {
    const std::uint16_t code = table.CodeOf(units[i]);
    if (code != kNoCode) {
      if (code > 0xFF) *dest++ = static_cast<char>(code >> 8);
      *dest++ = static_cast<char>(code & 0xFF);
      ++i;
      continue;
    }
    if constexpr (!kWithReferences) {
      return false;
    } else {
      char32_t code_point = units[i];
      qsizetype consumed = 1;
      if (QChar::isHighSurrogate(units[i]) && i + 1 < size && QChar::isLowSurrogate(units[i + 1])) {
        code_point = QChar::surrogateToUcs4(units[i], units[i + 1]);
        consumed = 2;
      }
      // Keep room for this reference plus two bytes per unit still to come.
      const qsizetype used = dest - begin;
      const qsizetype needed = used + kMaxReferenceLength + 2 * (size - i - consumed);
      if (needed > out->size()) {
        out->resize(std::max(needed, 2 * out->size()));
        begin = out->data();
        dest = begin + used;
      }
      dest = AppendReference(code_point, dest);
      i += consumed;
    }
  }
  out->resize(dest - begin);
  return true;
}

}  // namespace

std::optional<std::uint16_t> CodeOf(char32_t c) {
  if (c > 0xFFFF) return std::nullopt;
  const std::uint16_t code = Encoder().CodeOf(static_cast<char16_t>(c));
  if (code == kNoCode) return std::nullopt;
  return code;
}

std::optional<char16_t> CharOf(std::uint16_t code) {
  if (code <= 0xFF) {
    if (kSingleByte[code] == kNotSingle) return std::nullopt;
    return kSingleByte[code];
  }
  const std::uint8_t row = kLeadIndex[code >> 8];
  const int trail = code & 0xFF;
  if (row == kNotLead || trail < kTrailFirst || trail > kTrailLast) return std::nullopt;
  const std::uint16_t unit = kDoubleByte[row][trail - kTrailFirst];
  if (unit == 0) return std::nullopt;
  return unit;
}

QString Decode(QByteArrayView bytes) {
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const qsizetype size = bytes.size();
  // Each byte yields at most one UTF-16 unit.
  QString text(size, Qt::Uninitialized);
  char16_t* begin = reinterpret_cast<char16_t*>(text.data());
  char16_t* dest = begin;
  for (qsizetype i = 0; i < size;) {
    const std::uint8_t byte = data[i];
    const std::uint16_t single = kSingleByte[byte];
    if (single != kNotSingle) {
      *dest++ = single;
      ++i;
      continue;
    }
    const std::uint8_t row = kLeadIndex[byte];
    if (row != kNotLead && i + 1 < size) {
      const int trail = data[i + 1];
      if (trail >= kTrailFirst && trail <= kTrailLast) {
        const std::uint16_t unit = kDoubleByte[row][trail - kTrailFirst];
        if (unit != 0) {
          *dest++ = unit;
          i += 2;
          continue;
        }
      }
    }
    // Only the offending byte is replaced: a bad trail may itself start a valid character.
    *dest++ = kReplacement;
    ++i;
  }
  text.truncate(dest - begin);
  return text;
}

QByteArray EncodeWithCharacterReferences(QStringView text) {
  QByteArray out;
  EncodeInto<true>(text, &out);
  return out;
}

std::optional<QByteArray> Encode(QStringView text) {
  QByteArray out;
  if (!EncodeInto<false>(text, &out)) return std::nullopt;
  return out;
}

}  // namespace yomika::cp932
