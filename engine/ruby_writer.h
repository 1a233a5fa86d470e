#ifndef YOMIKA_ENGINE_RUBY_WRITER_H_
#define YOMIKA_ENGINE_RUBY_WRITER_H_

// Which kanji runs of a conversion get ruby, and how: the settings RUBY/Level,
// RUBY/FirstOnly and RUBY/Mono over the element forms of ruby_markup.h.

#include <unordered_set>

#include "engine/engine_settings.h"
#include "engine/kanji_aids.h"
#include "engine/outcome.h"
#include "engine/output_format.h"
#include "engine/text.h"

namespace yomika {

inline constexpr int kMaxRubyLevel = 8;

// Whether a conversion with these settings asks the kanji aids anything (Level other than 0,
// or Mono on); an unreadable value counts as asking, so that its failure is reported.
bool UsesKanjiAids(const EngineSettings& settings);

// One writer serves one conversion: it remembers the runs that already got ruby.
class RubyWriter {
 public:
  // `settings` and the aids must outlive the writer.
  RubyWriter(const EngineSettings& settings, OutputFormat format, const KanjiAids& aids);

  // The text that replaces `run` read `reading`:
  //  - the run bare when none of its kanji needs ruby at RUBY/Level, or, with FirstOnly, when
  //    the same run with the same reading already got ruby in this conversion;
  //  - with Mono, where the reading divides over the run's characters, one element per
  //    character that needs ruby and the others bare;
  //  - otherwise one element for the whole run.
  // 々 and a variation selector need ruby when the character before them does; ヶ and ヵ
  // need none at Level 1 … 8.
  // Example (Level 2): 学校, がっこう → 学校; 勉強, べんきょう →
  // <ruby>勉強<rt>べんきょう</rt></ruby>. Fails when a setting it needs cannot be read, Level is
  // outside 0 … 8, or an aid the settings ask for is missing.
  Outcome<Text> Write(const Text& run, const Text& reading);

 private:
  Outcome<std::vector<bool>> CharactersNeedingRuby(const Text& run) const;
  // One element per character that needs ruby, where the reading divides; else one element.
  Outcome<Text> WriteEach(const Text& run, const Text& reading,
                          const std::vector<bool>& needs) const;
  Outcome<Text> Element(const Text& run, const Text& reading) const;

  const EngineSettings& settings_;
  OutputFormat format_;
  KanjiAids aids_;
  std::unordered_set<Text> given_;  // run, U+0000, reading of every run that got ruby
};

}  // namespace yomika

#endif  // YOMIKA_ENGINE_RUBY_WRITER_H_
