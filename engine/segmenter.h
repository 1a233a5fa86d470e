#ifndef YOMIKA_ENGINE_SEGMENTER_H_
#define YOMIKA_ENGINE_SEGMENTER_H_

// The segmentation pass: copies the working text to the HTML body, replacing every kanji run
// by a ruby element with the reading the reading service gives.

#include <functional>
#include <vector>

#include "engine/engine_settings.h"
#include "engine/outcome.h"
#include "engine/reading_service.h"
#include "engine/ruby_writer.h"
#include "engine/text.h"

namespace yomika {

struct ReviewedRun;  // review.h

// Receives the progress of the pass, from 0 towards 0.9, once per loop iteration.
using ProgressCallback = std::function<void(float fraction)>;

// Receives a message about something the pass did not do, though it goes on: a kanji left
// without ruby because nothing could read it.
using WarningCallback = std::function<void(const QString& message)>;

// Turns the working text (ending in the terminator "あ") into the HTML body.
// Each run is looked up widened by a preceding "お" and by the kana that follow it up to a
// break character; the reading is then cut back by counting characters.
// Example: お金を払う。あ, with readings おかねを and はらう。 →
//          お<ruby>金<rt>かね</rt></ruby>を<ruby>払<rt>はら</rt></ruby>う。
// A kanji the reading gives back as itself is left without ruby, with one warning per
// kanji and pass (see SplitAtUnreadKanji).
// Fails when a lookup fails or is empty, a reading is shorter than its tail, or a ruby
// setting cannot be read; the body built so far is then discarded.
Outcome<QString> SegmentText(const Text& working_text, ReadingService& service,
                             const EngineSettings& settings, const ProgressCallback& progress,
                             const WarningCallback& warning = nullptr);

// The same, each run written by `writer` (its format, RUBY/Level, FirstOnly and Mono). When
// `reviewed` is not null it receives, per run written with ruby, its working position, body
// span, text, hiragana reading and the service's TakeRunReview (the reading alone when the
// service has none), the reading always the first candidate; a run split at unread kanji
// gives one uncertain entry per read part.
Outcome<QString> SegmentText(const Text& working_text, ReadingService& service, RubyWriter& writer,
                             const ProgressCallback& progress,
                             const WarningCallback& warning = nullptr,
                             std::vector<ReviewedRun>* reviewed = nullptr);

}  // namespace yomika

#endif  // YOMIKA_ENGINE_SEGMENTER_H_
