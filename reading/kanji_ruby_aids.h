#ifndef YOMIKA_READING_KANJI_RUBY_AIDS_H_
#define YOMIKA_READING_KANJI_RUBY_AIDS_H_

// The kanji aids the programs hand to the engine for RUBY/Level and RUBY/Mono: KANJIDIC2
// with the grade rule and the reading divider on it.

#include <QString>

#include "engine/kanji_aids.h"
#include "engine/outcome.h"
#include "reading/grade_ruby_need.h"
#include "reading/kanji_reading_divider.h"
#include "reading/kanjidic2.h"

namespace yomika {

class KanjiRubyAids {
 public:
  // Nothing is read until Aids() is first called.
  explicit KanjiRubyAids(const QString& kanjidic2_path = Kanjidic2::DefaultPath());
  KanjiRubyAids(const KanjiRubyAids&) = delete;
  KanjiRubyAids& operator=(const KanjiRubyAids&) = delete;

  // The aids, valid as long as this object; reads KANJIDIC2 on the first call. Fails, naming
  // the file, when it cannot be read or lists no kanji.
  Outcome<KanjiAids> Aids() const;

 private:
  QString path_;
  Kanjidic2 kanjidic_;
  GradeRubyNeed need_;
  KanjiReadingDivider divider_;
};

}  // namespace yomika

#endif  // YOMIKA_READING_KANJI_RUBY_AIDS_H_
