#include "reading/grade_ruby_need.h"

namespace yomika {
namespace {

constexpr int kLevelJoyo = 7;
constexpr int kGradeOtherJoyo = 8;
constexpr int kGradeLastJinmeiyo = 10;

}  // namespace

bool GradeNeedsRuby(int grade, int level) {
  if (grade <= 0) return true;
  if (level < kLevelJoyo) return grade > level;
  if (level == kLevelJoyo) return grade > kGradeOtherJoyo;
  return grade > kGradeLastJinmeiyo;
}

bool GradeRubyNeed::NeedsRuby(char32_t kanji, int level) const {
  const KanjiInfo* info = kanjidic_.Find(kanji);
  return GradeNeedsRuby(info == nullptr ? 0 : info->grade, level);
}

}  // namespace yomika
