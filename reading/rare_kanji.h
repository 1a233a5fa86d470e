#ifndef YOMIKA_READING_RARE_KANJI_H_
#define YOMIKA_READING_RARE_KANJI_H_

// Kanji the analyser's dictionary cannot hold, and kanji no word of it reads: the common form
// to analyse a variant as (髙 → 高, 﨑 → 崎, 鷗 → 鴎, 德 → 徳), and single-kanji readings from
// KANJIDIC2, Unihan and the SKK dictionary of JIS X 0213 kanji. Each source is read on first
// need only.

#include <QString>
#include <mutex>
#include <optional>
#include <unordered_map>

#include "engine/text.h"
#include "reading/kanjidic2.h"
#include "reading/skk_kanji.h"
#include "reading/unihan.h"

namespace yomika {

class RareKanji {
 public:
  RareKanji(QString kanjidic2_path, QString unihan_folder, QString skk_path);

  // Whether the analyser's dictionary (IPADIC, written in JIS X 0208) can spell `c`: a kanji
  // of JIS X 0208 level 1 or 2.
  static bool InAnalyserDictionary(char32_t c);

  // The JIS X 0208 kanji to analyse `kanji` as, when it is not one itself: its canonical
  // form when it is a compatibility ideograph; else among the variants KANJIDIC2 and Unihan
  // list, the one sharing most readings with it (by KANJIDIC2), then the more frequent, then
  // the first listed. A variant that shares no reading with a kanji whose readings are known
  // is not taken. std::nullopt for kanji of JIS X 0208, for characters that are no
  // ideographs, and when no variant fits. Calls from several threads are safe.
  std::optional<char32_t> AnalysedForm(char32_t kanji);

  // A reading of `kanji` alone, in hiragana: KANJIDIC2's first on reading, else its first kun
  // stem, else its first name reading; else Unihan's first reading; else the SKK
  // dictionary's reading that lists it earliest among its candidates (unvoiced, when listed
  // both ways). A kanji none of them
  // reads takes the reading of the first variant they read (皂 → 皁: そう). Empty when
  // nothing reads the kanji or a variant.
  Text ReadingOf(char32_t kanji) const;

  const Kanjidic2& kanjidic2() const { return kanjidic2_; }

 private:
  std::optional<char32_t> ChooseVariant(char32_t kanji) const;
  // The variants KANJIDIC2 lists, then those Unihan lists.
  std::vector<char32_t> VariantsOf(char32_t kanji) const;
  Text OwnReading(char32_t kanji) const;

  Kanjidic2 kanjidic2_;
  Unihan unihan_;
  SkkKanjiReadings skk_;
  std::mutex forms_mutex_;  // AnalysedForm is called from several threads
  std::unordered_map<char32_t, std::optional<char32_t>> forms_;
};

}  // namespace yomika

#endif  // YOMIKA_READING_RARE_KANJI_H_
