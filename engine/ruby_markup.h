#ifndef YOMIKA_ENGINE_RUBY_MARKUP_H_
#define YOMIKA_ENGINE_RUBY_MARKUP_H_

// The ruby element that replaces a kanji run in the HTML body.

#include <optional>
#include <vector>

#include "engine/engine_settings.h"
#include "engine/outcome.h"
#include "engine/output_format.h"
#include "engine/text.h"

namespace yomika {

// The element for `run` read `reading`, the reading in the configured kana form; nothing is
// escaped. Example (defaults): 漢字, かんじ → <ruby>漢字<rt>かんじ</rt></ruby>; with CHKRB 1
// and upper case: <RUBY>漢字<RP>【</RP><RT>かんじ</RT><RP>】</RP></RUBY>.
// Fails when RUBYSTRING, CHKRB or alphabet cannot be read as a number.
Outcome<Text> RubyElement(const Text& run, const Text& reading, const EngineSettings& settings);

// One part of a kanji run: read, or left without ruby (no reading).
struct RunPart {
  Text text;
  std::optional<Text> reading;
  friend bool operator==(const RunPart&, const RunPart&) = default;
};

// Whether `c`, standing in a reading, is a character of the run itself: a kanji nothing could
// read, or an iteration mark repeating one.
bool IsUnreadMark(char32_t c);
bool HoldsUnreadMark(const Text& reading);

// Splits `run` where its `reading` holds the run's own characters (IsUnreadMark): each of
// those, with the variation selectors after it, is a part without reading; the kana between
// them read the run's characters between them. A reading without such characters reads the
// whole run; one that does not fit the run that way leaves the whole run without reading.
// Example: 人𩸽々魚, ひと𩸽々さかな → {人, ひと}, {𩸽, none}, {々, none}, {魚, さかな}.
std::vector<RunPart> SplitAtUnreadKanji(const Text& run, const Text& reading);

// The ruby of `run` in `format`: the element above for html and html5, ｜漢字《かんじ》 for
// aozora, 漢字（かんじ） for brackets; the reading in the configured kana form everywhere.
// Fails like RubyElement, the plain-text forms only when RUBYSTRING cannot be read.
Outcome<Text> RubyFor(OutputFormat format, const Text& run, const Text& reading,
                      const EngineSettings& settings);

}  // namespace yomika

#endif  // YOMIKA_ENGINE_RUBY_MARKUP_H_
