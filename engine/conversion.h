#ifndef YOMIKA_ENGINE_CONVERSION_H_
#define YOMIKA_ENGINE_CONVERSION_H_

// The conversion from input text to HTML body, as the Start command runs it:
// colour pass, line-break conversion, segmentation.

#include <vector>

#include "engine/colour_runs.h"
#include "engine/engine_settings.h"
#include "engine/kanji_aids.h"
#include "engine/outcome.h"
#include "engine/output_format.h"
#include "engine/reading_service.h"
#include "engine/segmenter.h"
#include "engine/text.h"

namespace yomika {

// The working text before segmentation: the input with its colour tags (when CreateColor is
// on), its line breaks converted, and the terminator "あ" at the end.
Outcome<Text> PrepareWorkingText(const InputText& input, const EngineSettings& settings);

// The same for a format: html as above; html5 with colour spans instead of font tags and
// lower-case tags; the plain-text formats with neither colour tags nor line-break conversion.
Outcome<Text> PrepareWorkingText(const InputText& input, const EngineSettings& settings,
                                 OutputFormat format);

// The HTML body for the input. The reading service gets the working text as a hint first.
// `warning` hears of kanji left without ruby.
Outcome<QString> ConvertToBody(const InputText& input, ReadingService& service,
                               const EngineSettings& settings, const ProgressCallback& progress,
                               const WarningCallback& warning = nullptr);

// How one conversion writes its output.
struct ConversionOptions {
  OutputFormat format = OutputFormat::kHtml;
  KanjiAids aids = {};                // needed when RUBY/Level is not 0 or RUBY/Mono is on
  WarningCallback warning = nullptr;  // hears of kanji left without ruby
};

// The body for the input in the options' format, the ruby chosen by RUBY/Level, FirstOnly and
// Mono. With the html format and default ruby settings it equals ConvertToBody above.
Outcome<QString> ConvertToBody(const InputText& input, ReadingService& service,
                               const EngineSettings& settings, const ProgressCallback& progress,
                               const ConversionOptions& options);

struct ReviewedRun;

// ConvertToBody with the options, also giving back the working text it segmented in
// `working` and, when `reviewed` is not null, an entry per run written with ruby (its
// working position, body span, run, hiragana reading and the service's review; see
// ConvertForReview in review.h, which completes them).
Outcome<QString> ConvertWorkingText(const InputText& input, ReadingService& service,
                                    const EngineSettings& settings,
                                    const ProgressCallback& progress,
                                    const ConversionOptions& options, Text& working,
                                    std::vector<ReviewedRun>* reviewed);

// Plain text with the default (black) colour for every character.
InputText PlainInput(const QString& text);

}  // namespace yomika

#endif  // YOMIKA_ENGINE_CONVERSION_H_
