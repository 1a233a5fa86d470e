#ifndef YOMIKA_READING_READING_RULES_H_
#define YOMIKA_READING_READING_RULES_H_

// Corrections to the analyser's readings that follow from the words around them: numbers
// with their counters, and the usual reading of words the dictionary reads both ways.

#include <cstdint>
#include <optional>
#include <vector>

#include "engine/text.h"
#include "reading/mecab_analyzer.h"

namespace yomika {

// The reading of a number written in kanji numerals, with 十 百 千 and the units 万 億 兆, or
// digit by digit when written positionally. std::nullopt when `numerals` holds anything else.
// Example: 三百二十五 → さんびゃくにじゅうご, 二〇一九 → にぜろいちきゅう.
std::optional<Text> ReadKanjiNumber(const Text& numerals);

// The value of a number in kanji numerals or in (half- or full-width) digits.
// Example: 三百二十五 → 325, ３２ → 32, 二〇 → 20.
std::optional<std::uint64_t> NumberValue(const Text& numerals);

// How a number and its counter read together: the number's part (empty when the whole is
// one irregular word) and the counter's part.
struct CountedReading {
  Text number;
  Text counter;
  friend bool operator==(const CountedReading&, const CountedReading&) = default;
};

// The reading of a number followed by a counter, with the sound changes between them;
// `number_reading` is how the number alone reads; `day_of_month` when the number follows a
// month (四月一日: ついたち, where 一日 alone is いちにち). std::nullopt when `counter` is no
// counter this knows. Example: (3, さん, 本) → さん+ぼん; (1, いち, 人) → ""+ひとり; (8, はち,
// 回) → はっ+かい; (4, よん, 時) → よ+じ; (20, にじゅう, 歳) → ""+はたち.
std::optional<CountedReading> ReadCounted(std::uint64_t value, const Text& number_reading,
                                          const Text& counter, bool day_of_month = false);

// Rewrites the readings of `words` (an analysis of `text`) where a rule knows better: a number
// in kanji numerals and its counter become one word with the reading of the whole; after
// digits the counter reads as it sounds there (3本 → 本: ぼん); 何 reads なん before a counter
// and before の, だ, で, と, な; a 間 or 後 on its own reads あいだ and あと; 強 between a noun
// and an adjective's ending is the adjective's つよ (喧嘩強そう); 出る's stem before する is
// 出す's, だ (とび出した); 方 after a verb in
// its plain form and before は, も, だけ, こそ or のみ is a person, かた (くださる方だけ); 来る
// taken for the old verb きたる reads こ before the passive and causative (来られる) and くる in
// 来るべき closing a sentence; 年 before に and a number counts per year, ねん (年に一度).
void ApplyReadingRules(const Text& text, std::vector<Morpheme>& words);

}  // namespace yomika

#endif  // YOMIKA_READING_READING_RULES_H_
