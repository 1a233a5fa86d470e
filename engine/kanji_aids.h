#ifndef YOMIKA_ENGINE_KANJI_AIDS_H_
#define YOMIKA_ENGINE_KANJI_AIDS_H_

// What the engine asks about single kanji when the ruby settings RUBY/Level and RUBY/Mono are
// on. The engine knows no kanji lists or readings of its own; the reading rooms implement
// these and the programs hand them in.

#include <optional>
#include <vector>

#include "engine/text.h"

namespace yomika {

// Whether a kanji needs ruby for readers at a RUBY/Level.
class RubyNeed {
 public:
  virtual ~RubyNeed() = default;
  // `level` is 1 … 8 (level 0 never asks). `kanji` is a character of a kanji run other than
  // 々, ヶ and ヵ: the engine decides those from the kanji they stand with.
  virtual bool NeedsRuby(char32_t kanji, int level) const = 0;
};

// Divides the reading of a kanji run over its characters.
class ReadingDivider {
 public:
  virtual ~ReadingDivider() = default;
  // One non-empty part per character of `run` (kanji, 々, ヶ, ヵ), the parts together exactly
  // `reading`; std::nullopt when the reading does not divide (今日 きょう).
  // Example: 漢字, かんじ → {かん, じ}.
  virtual std::optional<std::vector<Text>> Divide(const Text& run, const Text& reading) const = 0;
};

// The aids one conversion may use; null where the program has none.
struct KanjiAids {
  const RubyNeed* need = nullptr;
  const ReadingDivider* divider = nullptr;
};

}  // namespace yomika

#endif  // YOMIKA_ENGINE_KANJI_AIDS_H_
