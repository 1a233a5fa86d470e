#ifndef YOMIKA_ENGINE_CHAR_CLASS_H_
#define YOMIKA_ENGINE_CHAR_CLASS_H_

// How the engine classifies the characters of its working text.

#include <vector>

#include "engine/text.h"

namespace yomika {

enum class CharClass {
  kKanji,           // CJK ideographs: they get ruby
  kSingleByte,      // ASCII, control codes, half-width katakana, and characters without a CP932 form
  kOtherDoubleByte  // kana, full-width letters, digits and symbols, 々, 〆 …
};

// The class of one character on its own, from its code page 932 code.
// Kanji are the ideographs of JIS level 1 and 2 and of the NEC and IBM extension rows;
// a character CP932 cannot encode is kanji when it is a CJK ideograph and single-byte
// otherwise. Example: 漢 and 﨑 → kKanji, ｶ → kSingleByte, 々 → kOtherDoubleByte.
CharClass ClassifyCharacter(char32_t c);

// The same classification taken from the code page 932 table alone, without the fast paths
// for common characters; ClassifyCharacter must agree with it everywhere.
CharClass ClassifyByCode(char32_t c);

// True for the characters that end a tail scan after being taken: 。、！を／？・<
bool IsBreakCharacter(char32_t c);

inline constexpr char32_t kHonorificO = U'お';
inline constexpr char32_t kTerminator = U'あ';

// Variation selectors (U+FE00–FE0F, U+E0100–E01EF): they choose a glyph of the character
// before them (葛󠄀 is 葛 with U+E0100).
constexpr bool IsVariationSelector(char32_t c) {
  return (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xE0100 && c <= 0xE01EF);
}

// For every character of `text`, whether it belongs to a kanji run. Beyond the kanji
// themselves, the iteration mark 々 continues a run it directly follows (人々 is one run),
// ヶ or ヵ between two kanji joins them (三ヶ月, 霞ヶ関), and a variation selector stays
// with the run character before it (葛󠄀城 is one run).
std::vector<bool> MarkKanjiRuns(const Text& text);

}  // namespace yomika

#endif  // YOMIKA_ENGINE_CHAR_CLASS_H_
