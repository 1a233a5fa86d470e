#ifndef YOMIKA_ENGINE_REVIEW_H_
#define YOMIKA_ENGINE_REVIEW_H_

// The conversion with a review of every reading: the HTML body as ConvertToBody makes it, and
// for every kanji run that got ruby its place in the input and in the body, whether its
// reading is doubtful and the other readings worth offering.

#include <QString>
#include <cstddef>
#include <vector>

#include "engine/colour_runs.h"
#include "engine/conversion.h"
#include "engine/engine_settings.h"
#include "engine/outcome.h"
#include "engine/reading_review.h"
#include "engine/reading_service.h"
#include "engine/segmenter.h"
#include "engine/text.h"

namespace yomika {

struct ReviewedRun {
  std::size_t input_begin = 0;    // the run's first character in the input text
  std::size_t working_begin = 0;  // the same in the working text
  // What the run became in the body (UTF-16 units): its ruby element — with RUBY/Mono, the
  // elements of its characters and the bare characters between them.
  qsizetype body_offset = 0;
  qsizetype body_length = 0;
  Text text;     // the run (the ruby's base), in characters
  Text reading;  // as the body writes it (kana form applied)
  // Candidates in the body's kana form; candidates[0].reading == reading.
  RunReview review;
  friend bool operator==(const ReviewedRun&, const ReviewedRun&) = default;
};

struct ReviewedBody {
  QString body;
  std::vector<ReviewedRun> runs;  // in body order
};

// The body, identical to ConvertToBody's with the same arguments, and the review of each run
// written with ruby. A run that some of its kanji left unread splits into one entry per read
// part, each uncertain with its reading as the only candidate. The service is in review mode
// during the conversion only. Fails where ConvertToBody fails, and when the service cannot
// review.
Outcome<ReviewedBody> ConvertForReview(const InputText& input, ReadingService& service,
                                       const EngineSettings& settings,
                                       const ProgressCallback& progress,
                                       const ConversionOptions& options = {});

// For each of the ascending working-text `positions` of non-ASCII characters, the position of
// the same character in `input`. The working text is the input with ASCII markup inserted and
// ASCII line breaks replaced, so the k-th non-ASCII character of one is the k-th of the other.
// A position past the last non-ASCII character of the input maps to input.size().
// Example: input "a漢\r\n字", working "a漢<br>字あ": {1, 6} → {1, 4}.
std::vector<std::size_t> InputPositions(const Text& input, const Text& working,
                                        const std::vector<std::size_t>& positions);

}  // namespace yomika

#endif  // YOMIKA_ENGINE_REVIEW_H_
