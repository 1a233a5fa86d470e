#ifndef YOMIKA_ENGINE_READING_REVIEW_H_
#define YOMIKA_ENGINE_READING_REVIEW_H_

// What a reading service can say about the reading it gave a kanji run: the other readings
// worth offering and whether the reading is doubtful.

#include <QString>
#include <vector>

#include "engine/text.h"

namespace yomika {

// Where a candidate reading comes from, as the review popup names it.
enum class CandidateSource {
  kAnalysis,    // 候補: the analyser's own alternatives, and its choice
  kDictionary,  // 辞書: the compound dictionary (EDICT)
  kKanji,       // 漢字の読み: readings of the single kanji (KANJIDIC), or built from them
  kUser,        // ユーザー辞書: the user's reading dictionary
};

// The label the popup shows for `source`, e.g. kKanji → 漢字の読み.
QString CandidateSourceLabel(CandidateSource source);

struct ReadingCandidate {
  Text reading;  // hiragana from a service; the output's kana form once the engine applied it
  CandidateSource source = CandidateSource::kAnalysis;
  friend bool operator==(const ReadingCandidate&, const ReadingCandidate&) = default;
};

struct RunReview {
  bool uncertain = false;
  // Best first; the first is the reading the service gave; no reading twice.
  std::vector<ReadingCandidate> candidates;
  friend bool operator==(const RunReview&, const RunReview&) = default;
};

}  // namespace yomika

#endif  // YOMIKA_ENGINE_READING_REVIEW_H_
