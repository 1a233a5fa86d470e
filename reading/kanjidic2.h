#ifndef YOMIKA_READING_KANJIDIC2_H_
#define YOMIKA_READING_KANJIDIC2_H_

// Facts about single kanji from KANJIDIC2 (Debian's kanjidic-xml,
// /usr/share/edict/kanjidic2.xml.gz): the on, kun and name readings, school grade, JLPT level,
// newspaper frequency rank and listed variants of 13,108 kanji (JIS X 0208, 0212 and 0213).

#include <QString>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/text.h"

namespace yomika {

struct KanjiInfo {
  char32_t kanji = 0;
  // On readings in hiragana, in the file's order (亜: あ).
  std::vector<Text> on;
  // Kun readings as listed: "." starts the okurigana, "-" marks a prefix or suffix use
  // (切: き.る, -き.る, き.り …). KunStem gives the part the kanji stands for.
  std::vector<Text> kun;
  // Readings used in names only (nanori), hiragana.
  std::vector<Text> nanori;
  // 1–6: taught in that school year; 8: other jōyō kanji; 9, 10: jinmeiyō kanji (10: variants
  // of jōyō kanji); 0: none of these.
  int grade = 0;
  // Level of the former four-level JLPT, 4 the easiest; 0: not listed.
  int jlpt = 0;
  // Rank among the 2,500 kanji most used in newspapers, 1 the most used; 0: not ranked.
  int frequency = 0;
  // Variants the entry lists by JIS X 0208 or Unicode code (鷗 → 鴎, 德 → 徳, 悳).
  std::vector<char32_t> variants;
  // Whether the entry lists any reading (on, kun or nanori).
  bool HasReading() const { return !on.empty() || !kun.empty() || !nanori.empty(); }
};

// The part of a kun reading the kanji itself stands for: without affix marks and okurigana.
// Example: つ.ぐ → つ, -き.り → き, かもめ → かもめ.
Text KunStem(const Text& kun);

// One <character> element of KANJIDIC2 (the text from <character> to </character>);
// std::nullopt when it has no one-character <literal>.
std::optional<KanjiInfo> ParseKanjidic2Character(std::string_view element);

class Kanjidic2 {
 public:
  static QString DefaultPath() { return QStringLiteral("/usr/share/edict/kanjidic2.xml.gz"); }

  // Nothing is read until the first lookup; an empty path means no entries. The file may be
  // gzip-compressed or plain XML.
  explicit Kanjidic2(QString path = DefaultPath());
  Kanjidic2(const Kanjidic2&) = delete;
  Kanjidic2& operator=(const Kanjidic2&) = delete;

  // The entry of `kanji`, nullptr when the file does not list it or cannot be read (it is not
  // tried again). The first call reads the file; calls from several threads are safe.
  const KanjiInfo* Find(char32_t kanji) const;

  // How many kanji the file listed (reads it if not done yet).
  std::size_t size() const;

 private:
  void Load() const;

  QString path_;
  mutable std::once_flag loaded_;
  mutable std::vector<KanjiInfo> entries_;  // sorted by kanji
};

}  // namespace yomika

#endif  // YOMIKA_READING_KANJIDIC2_H_
