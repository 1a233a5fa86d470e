#ifndef YOMIKA_READING_GRADE_RUBY_NEED_H_
#define YOMIKA_READING_GRADE_RUBY_NEED_H_

// Which kanji need ruby at a RUBY/Level, by the school grade and the jōyō and jinmeiyō lists
// of KANJIDIC2.

#include "engine/kanji_aids.h"
#include "reading/kanjidic2.h"

namespace yomika {

// Whether a kanji of KANJIDIC2 grade `grade` (1–6 school year, 8 other jōyō, 9–10 jinmeiyō,
// 0 none) needs ruby at `level`: 1–6 none up to that school year do, 7 no jōyō kanji does, 8
// neither jōyō nor jinmeiyō kanji do; a kanji of grade 0 always does.
bool GradeNeedsRuby(int grade, int level);

class GradeRubyNeed final : public RubyNeed {
 public:
  // `kanjidic` must outlive this object.
  explicit GradeRubyNeed(const Kanjidic2& kanjidic) : kanjidic_(kanjidic) {}

  // A kanji KANJIDIC2 does not list needs ruby at every level.
  bool NeedsRuby(char32_t kanji, int level) const override;

 private:
  const Kanjidic2& kanjidic_;
};

}  // namespace yomika

#endif  // YOMIKA_READING_GRADE_RUBY_NEED_H_
