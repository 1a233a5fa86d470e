#ifndef YOMIKA_READING_READING_KANJIDIC_H_
#define YOMIKA_READING_READING_KANJIDIC_H_

// Single-kanji readings from KANJIDIC (Debian's /usr/share/edict/kanjidic, EUC-JP text with
// one kanji a line), the last resort for kanji the analyser's dictionary has no word for.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "engine/text.h"

namespace yomika {

// The kanji of one KANJIDIC line and the reading to use for it inside a word: its first on
// reading in hiragana, else its first kun reading without okurigana or affix marks. Name
// readings (after T1/T2) are not used. std::nullopt for comment lines and lines without any.
// Example: "亜 3021 U4e9c B1 … ア つ.ぐ T1 や …" → (亜, あ); "… つ.ぐ T1 …" alone → つ.
std::optional<std::pair<char32_t, Text>> ParseKanjidicLine(const QString& line);

class KanjidicReadings {
 public:
  explicit KanjidicReadings(QString path);

  // The reading of `kanji`; the file is read on the first call. std::nullopt when the kanji is
  // not listed or the file cannot be read (the file is then not tried again). Only the lines of
  // `kanji` are decoded, the first one that gives a reading counts.
  std::optional<Text> ReadingOf(char32_t kanji);

  // Every on reading (in hiragana) and kun reading (the part the kanji stands for) of `kanji`,
  // name readings left out; empty when the kanji is not listed or the file cannot be read.
  // Example: 生 → せい, しょう, い, う, お, は, なま, き, …
  std::vector<Text> AllReadingsOf(char32_t kanji);

  // Whether the file was read and held at least one kanji line (reads it if not done yet).
  bool Available();

 private:
  void LoadOnce();
  // The decoded lines of `kanji`, in file order.
  std::vector<QString> LinesOf(char32_t kanji);

  QString path_;
  bool loaded_ = false;
  QByteArray bytes_;  // the file, EUC-JP
  // (kanji, offset of its line in bytes_), sorted; lines of one kanji in file order.
  std::vector<std::pair<char32_t, std::uint32_t>> lines_;
};

}  // namespace yomika

#endif  // YOMIKA_READING_READING_KANJIDIC_H_
