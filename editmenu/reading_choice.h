#ifndef YOMIKA_EDITMENU_READING_CHOICE_H_
#define YOMIKA_EDITMENU_READING_CHOICE_H_

// What the review popup offers for one ruby element and what the author's choice becomes,
// without a window: the lines of the candidate list with where each reading comes from, and
// a typed reading checked as the registration dialog checks it.

#include <QString>
#include <optional>
#include <vector>

#include "engine/outcome.h"
#include "engine/reading_review.h"

namespace yomika {

struct ChoiceLine {
  QString reading;       // as the page shows readings (the output's kana form)
  QString label;         // where it comes from
  bool current = false;  // the element's reading now
  friend bool operator==(const ChoiceLine&, const ChoiceLine&) = default;
};

// The lines for an element reading `current_reading`: the candidates of `review` best first,
// the one equal to the current reading marked; without a review, or when the element was
// given a reading none of them has, that reading comes first labelled 現在.
std::vector<ChoiceLine> ChoiceLines(const std::optional<RunReview>& review,
                                    const QString& current_reading);

// The author's choice: the reading in hiragana (the element gets it in the configured kana
// form) and whether the word always reads so (the user's reading dictionary).
struct ReadingChoice {
  QString reading;
  bool remember = false;
  friend bool operator==(const ReadingChoice&, const ReadingChoice&) = default;
};

// A reading as shown (any kana form, half width too) in hiragana. Example: ｶﾝｼﾞ → かんじ.
QString ShownToHiragana(const QString& reading);

// A reading the author typed: trimmed and checked like the registration dialog's
// (ReadingProblem); the problem's message when it fails.
Outcome<ReadingChoice> TypedChoice(const QString& typed, bool remember);

}  // namespace yomika

#endif  // YOMIKA_EDITMENU_READING_CHOICE_H_
