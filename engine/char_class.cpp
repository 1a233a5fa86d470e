#include "engine/char_class.h"

#include <cstdint>

#include "encoding/cp932.h"

namespace yomika {
namespace {

// Code page 932 rows that hold ideographs. Level 1 and level 2 of JIS X 0208 run from
// 0x889F to 0xEAA4; the NEC-selected IBM extension rows are 0xED40–0xEEFC and the IBM
// extension rows 0xFA40–0xFC4B. Those extension rows also hold a few symbols (roman
// numerals, ¬, ¦, ㈱ …), which is why the ideograph test below is applied as well.
constexpr bool IsJisKanjiCode(std::uint16_t code) { return code >= 0x889F && code <= 0xEAA4; }
constexpr bool IsNecSelectedIbmCode(std::uint16_t code) { return code >= 0xED40 && code <= 0xEEFC; }
constexpr bool IsIbmExtensionCode(std::uint16_t code) { return code >= 0xFA40 && code <= 0xFC4B; }

// CJK unified ideographs (with extension A and the supplementary planes 2 and 3) and CJK
// compatibility ideographs.
constexpr bool IsCjkIdeograph(char32_t c) {
  return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x3FFFF);
}

constexpr char32_t kIterationMark = U'々';
constexpr char32_t kSmallKe = U'ヶ';
constexpr char32_t kSmallKa = U'ヵ';

}  // namespace

CharClass ClassifyCharacter(char32_t c) {
  // Fast paths for the bulk of Japanese text; the table below gives the same answers.
  if (c > 0 && c < 0x80) return CharClass::kSingleByte;
  if ((c >= U'ぁ' && c <= U'ん') || (c >= U'ァ' && c <= U'ヶ')) return CharClass::kOtherDoubleByte;
  if (c >= 0x4E00 && c <= 0x9FFF && c != U'仝') return CharClass::kKanji;
  return ClassifyByCode(c);
}

CharClass ClassifyByCode(char32_t c) {
  const std::optional<std::uint16_t> code = cp932::CodeOf(c);
  if (!code) return IsCjkIdeograph(c) ? CharClass::kKanji : CharClass::kSingleByte;
  if ((IsJisKanjiCode(*code) || IsNecSelectedIbmCode(*code) || IsIbmExtensionCode(*code)) &&
      IsCjkIdeograph(c)) {
    return CharClass::kKanji;
  }
  // In the signed 16-bit view a single-byte code is positive; code 0 (NUL) is not.
  if (*code > 0 && *code <= 0xFF) return CharClass::kSingleByte;
  return CharClass::kOtherDoubleByte;
}

bool IsBreakCharacter(char32_t c) {
  switch (c) {
    case U'。':
    case U'、':
    case U'！':
    case U'を':
    case U'／':
    case U'？':
    case U'・':
    case U'<':
      return true;
    default:
      return false;
  }
}

std::vector<bool> MarkKanjiRuns(const Text& text) {
  std::vector<bool> in_run(text.size(), false);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t c = text[i];
    const bool after_run = i > 0 && in_run[i - 1];
    if (c == kIterationMark || IsVariationSelector(c)) {
      in_run[i] = after_run;
    } else if (c == kSmallKe || c == kSmallKa) {
      in_run[i] = after_run && i + 1 < text.size() &&
                  ClassifyCharacter(text[i + 1]) == CharClass::kKanji;
    } else {
      in_run[i] = ClassifyCharacter(c) == CharClass::kKanji;
    }
  }
  return in_run;
}

}  // namespace yomika
