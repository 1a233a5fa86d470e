#ifndef YOMIKA_READING_READING_PHRASES_H_
#define YOMIKA_READING_READING_PHRASES_H_

// Readings of set phrases and compounds that EDICT writes with kana among their kanji: 海の幸
// (うみのさち), 性に合う (しょうにあう), 今日では (こんにちでは), とんぼ返り (とんぼがえり),
// うがい薬 (うがいぐすり). The analyser reads their words one by one (海 の 幸: こう) and misses
// the reading the phrase fixes; the compound pass only joins words that all hold kanji.

#include <cstddef>
#include <vector>

#include "engine/text.h"
#include "reading/mecab_analyzer.h"
#include "reading/reading_compounds.h"
#include "reading/reading_kanjidic.h"

namespace yomika {

// Whether `reading` is one of the kanji's `readings` (KANJIDIC's on and kun readings), allowing
// the sound changes of compounds: a voiced first sound (か → が, は → ば or ぱ) and a last つ,
// ち, く or き turned into っ. Example: ({くすり, やく}, ぐすり) → true; ({かれ, ひ}, あ) → false.
bool IsKanjiReading(const std::vector<Text>& readings, const Text& reading);

// Joins neighbouring words of `words` (an analysis of `text`) that together spell an EDICT
// headword of three or more characters mixing kana and kanji, at least one of them kana only,
// that starts and ends where a kanji run does, into one word read as the headword (longest
// first, up to four words, left to right; a conjugated last word is looked up by its
// dictionary form). The words stay as analysed when the analysed reading is listed (unless it is
// not marked common and one other reading alone is: 絵を描い えをえがい → えをかい), when the
// listed readings disagree on every changed kanji stretch, or when the headword is marked
// irregular.
// Guards against phrases that only look alike: a verb with its auxiliary alone (歩こ う is no
// 歩こう ほこう), a demonstrative and one kanji unless marked common or, marked adj-no, before
// の (その方: そのほう or そのかた; ある種の: あるしゅ), a changed single kanji whose new
// reading KANJIDIC does not give it (彼の方: 彼 is never あ), a kana-only conjugated last word
// matched as written (説明 し) unless it follows an adjective cut to its kanji (悪 どい:
// 悪どい あくどい).
// Never joins across `boundaries`.
void ApplyPhraseReadings(const Text& text, const std::vector<bool>& in_run,
                         const std::vector<std::size_t>& boundaries, CompoundLexicon& lexicon,
                         KanjidicReadings& kanjidic, std::vector<Morpheme>& words);

}  // namespace yomika

#endif  // YOMIKA_READING_READING_PHRASES_H_
