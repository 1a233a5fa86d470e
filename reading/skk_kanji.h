#ifndef YOMIKA_READING_SKK_KANJI_H_
#define YOMIKA_READING_SKK_KANJI_H_

// Readings of single kanji from an SKK dictionary: Debian's skkdic-extra lists the kanji of JIS
// X 0213 planes 3 and 4 by reading (/usr/share/skk/SKK-JISYO.JIS3_4, EUC-JIS-2004), many of
// them with no reading in KANJIDIC2 or Unihan.

#include <QByteArray>
#include <QString>
#include <mutex>
#include <utility>
#include <vector>

#include "engine/text.h"

namespace yomika {

// The reading of one dictionary line without okurigana ("つる /靍/靎;注/") and its
// candidates that are one ideograph each, in order; nothing for comments, okurigana entries
// (whose reading ends in a Latin letter) and readings that are not hiragana.
std::pair<Text, std::vector<char32_t>> ParseSkkLine(const Text& line);

class SkkKanjiReadings {
 public:
  static QString DefaultPath() { return QStringLiteral("/usr/share/skk/SKK-JISYO.JIS3_4"); }

  // Nothing is read until the first lookup; an empty or missing path means no readings.
  explicit SkkKanjiReadings(QString path = DefaultPath());
  SkkKanjiReadings(const SkkKanjiReadings&) = delete;
  SkkKanjiReadings& operator=(const SkkKanjiReadings&) = delete;

  // The readings that list `kanji` on its own, those listing it earlier among their candidates
  // first (ほっけ /𩸽/ before はえ /拼/…/𩸽/), then in file order; empty when none. The first
  // call reads the file; calls from several threads are safe.
  std::vector<Text> ReadingsOf(char32_t kanji) const;

 private:
  void Load() const;

  QString path_;
  mutable std::once_flag loaded_;
  struct Entry {
    char32_t kanji;
    std::size_t rank;  // the kanji's place among the reading's candidates
    Text reading;
  };
  mutable std::vector<Entry> readings_;  // sorted by kanji and rank, else in file order
};

// The EUC-JIS-2004 text `bytes` decoded; a byte that starts no character becomes U+FFFD.
Text DecodeEucJis2004(const QByteArray& bytes);

}  // namespace yomika

#endif  // YOMIKA_READING_SKK_KANJI_H_
