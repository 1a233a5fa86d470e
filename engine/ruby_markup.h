#ifndef YOMIKA_ENGINE_RUBY_MARKUP_H_
#define YOMIKA_ENGINE_RUBY_MARKUP_H_

// The ruby element that replaces a kanji run in the HTML body.

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

// The ruby of `run` in `format`: the element above for html and html5, ｜漢字《かんじ》 for
// aozora, 漢字（かんじ） for brackets; the reading in the configured kana form everywhere.
// Fails like RubyElement, the plain-text forms only when RUBYSTRING cannot be read.
Outcome<Text> RubyFor(OutputFormat format, const Text& run, const Text& reading,
                      const EngineSettings& settings);

}  // namespace yomika

#endif  // YOMIKA_ENGINE_RUBY_MARKUP_H_
