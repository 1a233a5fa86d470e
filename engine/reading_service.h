#ifndef YOMIKA_ENGINE_READING_SERVICE_H_
#define YOMIKA_ENGINE_READING_SERVICE_H_

#include <QString>
#include <optional>

#include "engine/reading_review.h"
#include "engine/text.h"

namespace yomika {

// Supplies the reading (furigana) of Japanese text. One lookup is exactly Open, GetPhonetic,
// Close; the engine opens and closes the service once per kanji run.
//
// What the engine relies on in a reading of a lookup string:
//  1. it is the reading of the whole string, in kana;
//  2. the kana and punctuation that follow the string's kanji come back unchanged, one
//     character each, at the end of the reading;
//  3. an honorific "お" at the front comes back as the reading's first character;
//  4. a kanji nothing could read comes back as itself, and so does an iteration mark 々
//     repeating one; the engine leaves those characters without ruby and warns.
class ReadingService {
 public:
  virtual ~ReadingService() = default;

  // Prepares one lookup; false on failure.
  virtual bool Open() = 0;

  // The reading of `text` from the 1-based `start` for `length` characters (-1: to the end).
  // The engine always passes start 1 and length -1. std::nullopt on failure; an empty
  // reading is a failure for the engine too.
  virtual std::optional<QString> GetPhonetic(const QString& text, int start, int length) = 0;

  // Ends one lookup; false on failure.
  virtual bool Close() = 0;

  // Optional hint, given once before the lookups of a conversion: the whole working text
  // that the lookups are taken from, in order. A service may use it as context; the default
  // ignores it.
  virtual void PrepareConversion(const Text& working_text) { (void)working_text; }
  void PrepareConversion(const QString& working_text) { PrepareConversion(ToText(working_text)); }

  // Switches review mode for the following lookups: the service also judges the reading of
  // each run and gathers the other readings worth offering (TakeRunReview). Readings stay the
  // same either way. Returns whether the service is now in the mode asked for; the default
  // supports no review.
  virtual bool SetReviewing(bool on) { return !on; }

  // In review mode, the review of the kanji run of the last GetPhonetic: the run without a
  // leading お and without the kana tail. Its first candidate is the reading GetPhonetic gave
  // that run. std::nullopt when not reviewing or when the service knows nothing of the run.
  // Handed over once, without a copy: a second call gives std::nullopt.
  virtual std::optional<RunReview> TakeRunReview() { return std::nullopt; }
};

}  // namespace yomika

#endif  // YOMIKA_ENGINE_READING_SERVICE_H_
