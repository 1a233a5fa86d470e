#ifndef YOMIKA_READING_UNIHAN_H_
#define YOMIKA_READING_UNIHAN_H_

// Japanese readings and variant links of CJK ideographs from the Unihan database (Debian's
// unicode-data: /usr/share/unicode/Unihan_Readings.txt.bz2 and Unihan_Variants.txt.bz2).

#include <QString>
#include <mutex>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/text.h"

namespace yomika {

// A reading as Unihan writes it (upper-case Hepburn romaji, long vowels spelt out) in
// hiragana; std::nullopt when it is not romaji this knows.
// Example: KOU → こう, SHUTSU → しゅつ, KITTE → きって, KANJI → かんじ, TAKAI → たかい.
std::optional<Text> RomajiToHiragana(std::string_view romaji);

class Unihan {
 public:
  static QString DefaultFolder() { return QStringLiteral("/usr/share/unicode"); }

  // Nothing is read until the first lookup. The files are read bzip2-compressed
  // (Unihan_Readings.txt.bz2) or, when that is absent, plain (Unihan_Readings.txt).
  explicit Unihan(QString folder = DefaultFolder());
  Unihan(const Unihan&) = delete;
  Unihan& operator=(const Unihan&) = delete;

  // The kJapaneseOn readings, then the kJapaneseKun readings, of `c` in hiragana; empty when
  // none. The first call reads the readings file; calls from several threads are safe.
  const std::vector<Text>& JapaneseReadings(char32_t c) const;
  // How many of those readings are on readings (they come first).
  std::size_t OnReadingCount(char32_t c) const;

  // The variants of `c`: its Z-variants, semantic, specialised semantic, traditional and
  // simplified variants, in that order, each once. The first call reads the variants file.
  std::vector<char32_t> Variants(char32_t c) const;

 private:
  struct Readings {
    char32_t c = 0;
    std::size_t on_count = 0;
    std::vector<Text> readings;
  };
  struct Variant {
    char32_t c = 0;
    int kind = 0;  // the rank of its field in the order above
    char32_t variant = 0;
  };
  void LoadReadings() const;
  void LoadVariants() const;
  const Readings* FindReadings(char32_t c) const;

  QString folder_;
  mutable std::once_flag readings_loaded_;
  mutable std::once_flag variants_loaded_;
  mutable std::vector<Readings> readings_;  // sorted by c
  mutable std::vector<Variant> variants_;   // sorted by c, then kind, then file order
};

}  // namespace yomika

#endif  // YOMIKA_READING_UNIHAN_H_
