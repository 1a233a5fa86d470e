#ifndef YOMIKA_READING_READING_ALIGNMENT_H_
#define YOMIKA_READING_READING_ALIGNMENT_H_

// Alignment of a word's reading with its written form: which part of the reading belongs to
// which stretch of kanji, so that the kana of the written form can stay exactly as written.

#include <cstddef>
#include <optional>
#include <vector>

#include "engine/text.h"

namespace yomika {

// Katakana (ァ–ヶ, ヽ ヾ) turned into hiragana; every other character unchanged.
// Example: ヒトビト → ひとびと, カー → かー.
char32_t FoldToHiragana(char32_t c);
Text FoldToHiragana(const Text& text);

// True for hiragana, katakana and the prolonged sound mark ー.
bool IsKana(char32_t c);

// True for CJK ideographs (the unified blocks, extension A and beyond, the compatibility block).
bool IsIdeograph(char32_t c);

// A maximal stretch [begin, end) of kanji-run characters of a word, with its reading
// (hiragana; empty when unknown).
struct KanjiPiece {
  std::size_t begin = 0;
  std::size_t end = 0;
  Text reading;
  friend bool operator==(const KanjiPiece&, const KanjiPiece&) = default;
};

// The kanji stretches of `surface`: maximal ranges where `in_run` is true. Their readings are
// empty. `in_run` has one flag per character of `surface`.
std::vector<KanjiPiece> KanjiStretches(const std::vector<bool>& in_run);

// Splits `reading` (hiragana) over the kanji stretches of `surface`, matching every other
// kana of the surface against the reading (katakana and hiragana alike); any other character
// outside the stretches (〆, Ｘ) stands for any part of the reading. Returns std::nullopt
// when the surface's kana cannot all be found in the reading in order, or a stretch would
// get no reading. When several splits fit, the one whose stretches read closest to two kana
// per kanji wins (丈ケ山 たけがやま: 丈 たけ, 山 やま rather than 丈 た, 山 がやま).
// Example: 食べ物, [1,0,1], たべもの → {0,1,た}, {2,3,もの}; 〆切, [0,1], しめきり → {1,2,きり}.
std::optional<std::vector<KanjiPiece>> AlignReading(const Text& surface,
                                                    const std::vector<bool>& in_run,
                                                    const Text& reading);

// Like AlignReading, but never fails: when the exact split does not fit, the kana that match
// at both ends of the surface are taken off the reading and a single kanji stretch gets the
// rest; with several stretches, or nothing left, the stretches keep an empty (unknown) reading.
// Example: 居ず, [1,0], いる → {0,1,いる}; 取っ手, [1,0,1], とりて → {0,1,""}, {2,3,""}.
std::vector<KanjiPiece> AlignReadingLoosely(const Text& surface, const std::vector<bool>& in_run,
                                            const Text& reading);

// AlignReadingLoosely for the word at [begin, end) of `text` (flags in_run[begin, end)),
// appending its pieces, with positions in `text`, to `pieces`; a word without kanji adds none.
// Spares the copies of the word for the usual word with one kanji stretch.
// Example: text 今日は食べ物, word [3, 6), たべもの → {3,4,た}, {5,6,もの}.
void AppendAlignedPieces(const Text& text, const std::vector<bool>& in_run, std::size_t begin,
                         std::size_t end, const Text& reading, std::vector<KanjiPiece>& pieces);

}  // namespace yomika

#endif  // YOMIKA_READING_READING_ALIGNMENT_H_
