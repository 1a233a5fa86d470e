#ifndef YOMIKA_READING_KANJI_READING_DIVIDER_H_
#define YOMIKA_READING_KANJI_READING_DIVIDER_H_

// Divides the reading of a kanji run over its characters by their KANJIDIC2 readings, for
// RUBY/Mono.

#include "engine/kanji_aids.h"
#include "reading/kanjidic2.h"

namespace yomika {

// The forms a kun reading takes in a compound written without okurigana: the stem, the stem
// with the okurigana, and the verb stem compounds use (る dropped; the last kana moved to the
// i row). Example: う.ける → {う, うける, うけ}; つづ.く → {つづ, つづく, つづき};
// かもめ → {かもめ}.
std::vector<Text> KunForms(const Text& kun);

class KanjiReadingDivider final : public ReadingDivider {
 public:
  // `kanjidic` must outlive this object.
  explicit KanjiReadingDivider(const Kanjidic2& kanjidic) : kanjidic_(kanjidic) {}

  // Each character takes one of its on readings or kun forms, or, at a higher cost, one of
  // its name readings. At a joint the later part may start voiced or half-voiced (かわ → がわ,
  // ひと → びと, はい → ぱい) and the earlier part may end in っ for つ, ち, く or き
  // (がく → がっ); every such change costs too, and the cheapest division wins (the first
  // found among equals). 々 reads as the character before it, ヶ and ヵ as か, が, こ or け.
  // Katakana in the reading match their hiragana; the parts are cut from the reading as
  // given. std::nullopt when no division fits or a character is not in KANJIDIC2.
  // Example: 学校 がっこう → {がっ, こう}; 人々 ひとびと → {ひと, びと}; 今日 きょう → nullopt.
  std::optional<std::vector<Text>> Divide(const Text& run, const Text& reading) const override;

 private:
  const Kanjidic2& kanjidic_;
};

}  // namespace yomika

#endif  // YOMIKA_READING_KANJI_READING_DIVIDER_H_
