#include "editmenu/reading_choice.h"

#include "editmenu/reading_check.h"
#include "engine/kana_form.h"

namespace yomika {

std::vector<ChoiceLine> ChoiceLines(const std::optional<RunReview>& review,
                                    const QString& current_reading) {
  std::vector<ChoiceLine> lines;
  bool current_listed = false;
  if (review) {
    for (const ReadingCandidate& candidate : review->candidates) {
      const QString reading = ToQString(candidate.reading);
      const bool current = reading == current_reading;
      current_listed = current_listed || current;
      lines.push_back({reading, CandidateSourceLabel(candidate.source), current});
    }
  }
  if (!current_listed && !current_reading.isEmpty()) {
    lines.insert(lines.begin(), {current_reading, QStringLiteral("現在"), true});
  }
  return lines;
}

QString ShownToHiragana(const QString& reading) {
  return ToQString(ToHiragana(ToFullWidth(ToText(reading))));
}

Outcome<ReadingChoice> TypedChoice(const QString& typed, bool remember) {
  const QString reading = typed.trimmed();
  if (const std::optional<QString> problem = ReadingProblem(reading)) return Failure{*problem};
  return ReadingChoice{ShownToHiragana(reading), remember};
}

}  // namespace yomika
