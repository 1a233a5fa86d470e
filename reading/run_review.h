#ifndef YOMIKA_READING_RUN_REVIEW_H_
#define YOMIKA_READING_RUN_REVIEW_H_

// How sure the reading of a kanji run is, and which other readings the analysis saw for it.
// Works on the analyser's lattice (every word it considered, with its marginal probability)
// and on the reading the service finally chose.

#include <cstddef>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "engine/reading_review.h"
#include "engine/text.h"
#include "reading/mecab_analyzer.h"
#include "reading/reading_alignment.h"

namespace yomika {

// What the lattice says about one run.
struct LatticeDoubt {
  // The largest probability, over the run's characters, that the analysis reads the character
  // otherwise than the chosen reading does.
  float disagreement = 0;
  // The largest probability of a word alike in span and grammar to a best word over the run
  // but read otherwise (行っ: いっ beside おこなっ).
  float homograph = 0;
  bool inflected = false;    // a best word over the run is a verb or an adjective
  bool proper_noun = false;  // a best word over the run is a proper noun
  // Readings of the whole run from words read otherwise, most probable first, with the
  // probability of the words that give them.
  std::vector<std::pair<Text, float>> alternatives;
};

// The doubt about the run [run_begin, run_end) of `text`, whose chosen reading is split over
// `chosen` (pieces in order, covering the run, as the service assembled them), from the
// lattice `words` (any order; those not overlapping the run are passed over).
LatticeDoubt MeasureLatticeDoubt(const Text& text, const std::vector<bool>& in_run,
                                 std::size_t run_begin, std::size_t run_end,
                                 const std::vector<KanjiPiece>& chosen,
                                 std::span<const LatticeWord> words);

// Who set the reading of a piece of a run.
enum class PieceOrigin {
  kAnalysis,    // the analyser's best analysis
  kRule,        // a rule of the grammar (numbers and counters, 何 before a counter …)
  kDictionary,  // a pass over EDICT (compounds, phrases, unknown words, context)
  kUser,        // the user's reading dictionary
  kKanji,       // kanji by kanji, nothing knowing the word
};

// Everything the service knows about one run, for the judgement.
struct RunEvidence {
  Text reading;                      // the chosen reading
  std::vector<PieceOrigin> origins;  // of the pieces of the reading
  LatticeDoubt lattice;
  // EDICT's readings of the run as a headword, and whether each is common.
  std::vector<std::pair<Text, bool>> dictionary;
  std::vector<Text> dictionary_of_word;  // EDICT's readings of its word, the kana tail cut off
  std::optional<Text> user;              // the user dictionary's reading of the run
  // Readings built from the kanji: a single kanji's own readings, or a compound read by the
  // first on reading of each kanji, or with one kanji read so.
  std::vector<Text> kanji;
  // The chosen reading changed in one piece the way compounds change it (voicing).
  std::vector<Text> variants;
};

// The review of a run from its evidence: candidates best first (the chosen reading first,
// then the user's, the analyser's alternatives, EDICT's, the kanji's; no reading twice, at
// most kMaxCandidates) and whether the reading is uncertain.
RunReview JudgeRun(const RunEvidence& evidence);

inline constexpr std::size_t kMaxCandidates = 10;

}  // namespace yomika

#endif  // YOMIKA_READING_RUN_REVIEW_H_
