#ifndef YOMIKA_ENGINE_COLOUR_RUNS_H_
#define YOMIKA_ENGINE_COLOUR_RUNS_H_

// The colour pass: every change of text colour becomes a font colour tag.

#include <vector>

#include "engine/engine_settings.h"
#include "engine/outcome.h"
#include "engine/text.h"

namespace yomika {

// The input pane's text (line breaks as CR LF) with one colour per character.
struct InputText {
  Text text;
  std::vector<Colour> colours;  // same length as text; 0x00BBGGRR
};

// "</font><font color=\"#RRGGBB\">" for the colour, the whole tag in lower or upper case.
// Example: 0xFF, lower case → </font><font color="#ff0000">.
Text ColourTag(Colour colour, bool upper_case);

// The markup of a colour change: font tags, or the html5 format's spans.
enum class ColourMarkup { kFontTags, kSpans };

// "</span><span style=\"color:#rrggbb\">" for the colour.
// Example: 0xFF → </span><span style="color:#ff0000">.
Text SpanColourTag(Colour colour);

// The working text rebuilt with a font tag at every colour change, the first tag without its
// closing part, then "</font>" (always lower case) and the terminator "あ".
// Example: black ABC → <font color="#000000">ABC</font>あ; empty → </font>あ.
// With spans the same, "span" for "font" (always lower case).
// Fails when a tag is needed and alphabet cannot be read as a number.
Outcome<Text> ApplyColourRuns(const InputText& input, const EngineSettings& settings,
                              ColourMarkup markup = ColourMarkup::kFontTags);

}  // namespace yomika

#endif  // YOMIKA_ENGINE_COLOUR_RUNS_H_
