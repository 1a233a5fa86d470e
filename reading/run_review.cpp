#include "reading/run_review.h"

#include <algorithm>

namespace yomika {
namespace {

bool Contains(const std::vector<std::size_t>& sorted, std::size_t value) {
  return std::binary_search(sorted.begin(), sorted.end(), value);
}

// The chosen reading of the pieces lying within [from, to).
Text ChosenBetween(const std::vector<KanjiPiece>& chosen, std::size_t from, std::size_t to) {
  Text reading;
  for (const KanjiPiece& piece : chosen) {
    if (piece.begin >= from && piece.end <= to) reading += piece.reading;
  }
  return reading;
}

// The reading `word` gives the run's characters it covers: its aligned piece within
// [run_begin, run_end), or nothing when it has no reading there.
std::optional<KanjiPiece> PartInRun(const Text& text, const std::vector<bool>& in_run,
                                    std::size_t run_begin, std::size_t run_end,
                                    const LatticeWord& word, std::vector<KanjiPiece>& scratch) {
  if (word.reading.empty()) return std::nullopt;
  scratch.clear();
  AppendAlignedPieces(text, in_run, word.begin, word.end, word.reading, scratch);
  for (KanjiPiece& piece : scratch) {
    if (piece.begin >= run_begin && piece.end <= run_end && !piece.reading.empty()) {
      return std::move(piece);
    }
  }
  return std::nullopt;
}

}  // namespace

LatticeDoubt MeasureLatticeDoubt(const Text& text, const std::vector<bool>& in_run,
                                 std::size_t run_begin, std::size_t run_end,
                                 const std::vector<KanjiPiece>& chosen,
                                 std::span<const LatticeWord> words) {
  LatticeDoubt doubt;
  if (run_end <= run_begin) return doubt;
  std::vector<std::size_t> bounds;
  for (const KanjiPiece& piece : chosen) {
    bounds.push_back(piece.begin);
    bounds.push_back(piece.end);
  }
  std::sort(bounds.begin(), bounds.end());
  bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());
  const auto bound_before = [&](std::size_t at) {
    const auto it = std::upper_bound(bounds.begin(), bounds.end(), at);
    return it == bounds.begin() ? run_begin : *(it - 1);
  };
  const auto bound_after = [&](std::size_t at) {
    const auto it = std::lower_bound(bounds.begin(), bounds.end(), at);
    return it == bounds.end() ? run_end : *it;
  };

  std::vector<float> against(run_end - run_begin, 0.0f);
  std::vector<KanjiPiece> scratch;
  // The run part of each overlapping word, for the homograph comparison below.
  std::vector<std::pair<const LatticeWord*, std::optional<KanjiPiece>>> overlapping;
  for (const LatticeWord& word : words) {
    if (word.end <= run_begin || word.begin >= run_end) continue;
    if (word.best) {
      doubt.inflected = doubt.inflected || word.grammar.starts_with(U"動詞") ||
                        word.grammar.starts_with(U"形容詞");
      doubt.proper_noun = doubt.proper_noun || word.grammar.starts_with(U"名詞,固有名詞");
    }
    std::optional<KanjiPiece> part = PartInRun(text, in_run, run_begin, run_end, word, scratch);
    std::size_t from = std::max(word.begin, run_begin);
    std::size_t to = std::min(word.end, run_end);
    bool agrees = false;
    if (part) {
      from = part->begin;
      to = part->end;
      const bool at_from = Contains(bounds, from);
      const bool at_to = Contains(bounds, to);
      const Text around = ChosenBetween(chosen, bound_before(from), bound_after(to));
      if (at_from && at_to) {
        agrees = part->reading == around;
        if (!agrees) {
          Text whole = ChosenBetween(chosen, run_begin, from) + part->reading +
                       ChosenBetween(chosen, to, run_end);
          const auto known = std::find_if(doubt.alternatives.begin(), doubt.alternatives.end(),
                                          [&](const auto& a) { return a.first == whole; });
          if (known == doubt.alternatives.end()) {
            doubt.alternatives.emplace_back(std::move(whole), word.probability);
          } else {
            known->second += word.probability;
          }
        }
      } else if (at_from) {
        agrees = around.starts_with(part->reading);
      } else if (at_to) {
        agrees = around.ends_with(part->reading);
      } else {
        agrees = around.find(part->reading) != Text::npos;
      }
    }
    if (!agrees) {
      for (std::size_t i = from; i < to; ++i) against[i - run_begin] += word.probability;
    }
    overlapping.emplace_back(&word, std::move(part));
  }
  doubt.disagreement = std::min(1.0f, *std::max_element(against.begin(), against.end()));

  for (const auto& [best, best_part] : overlapping) {
    if (!best->best || !best_part) continue;
    for (const auto& [other, other_part] : overlapping) {
      if (other->best || !other_part || other->begin != best->begin || other->end != best->end ||
          other->grammar != best->grammar || other_part->reading == best_part->reading) {
        continue;
      }
      doubt.homograph = std::max(doubt.homograph, other->probability);
    }
  }
  std::stable_sort(doubt.alternatives.begin(), doubt.alternatives.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  return doubt;
}

namespace {

// The judgement's settings, tuned on jsut_dev and checked on ita_dev (the development sets'
// sentences themselves play no part; only how many runs the flag catches and costs):
// a character read otherwise by at least this share of the analyses makes a run doubtful;
constexpr float kDisagreement = 0.15f;
// a verb or adjective whose homograph gets at least this share, too (the analyser's costs for
// words that only the meaning tells apart carry little more than how common each one is).
constexpr float kInflectedHomograph = 1.0f / 512;

CandidateSource SourceOf(const std::vector<PieceOrigin>& origins) {
  CandidateSource source = CandidateSource::kAnalysis;
  for (const PieceOrigin origin : origins) {
    if (origin == PieceOrigin::kUser) return CandidateSource::kUser;
    if (origin == PieceOrigin::kDictionary) source = CandidateSource::kDictionary;
    if (origin == PieceOrigin::kKanji && source == CandidateSource::kAnalysis) {
      source = CandidateSource::kKanji;
    }
  }
  return source;
}

bool Any(const std::vector<PieceOrigin>& origins, PieceOrigin wanted) {
  return std::find(origins.begin(), origins.end(), wanted) != origins.end();
}

bool Uncertain(const RunEvidence& e) {
  if (!e.origins.empty() && std::all_of(e.origins.begin(), e.origins.end(),
                                        [](PieceOrigin o) { return o == PieceOrigin::kUser; })) {
    return false;
  }
  if (Any(e.origins, PieceOrigin::kKanji)) return true;
  if (e.lattice.proper_noun) return true;
  // EDICT lists the run with common readings, none of them the chosen one.
  bool common_listed = false;
  bool chosen_common = false;
  for (const auto& [reading, common] : e.dictionary) {
    common_listed = common_listed || common;
    chosen_common = chosen_common || (common && reading == e.reading);
  }
  if (common_listed && !chosen_common) return true;
  // A rule decided by the grammar around the run, which the analyser's costs do not see.
  if (Any(e.origins, PieceOrigin::kRule) && !Any(e.origins, PieceOrigin::kDictionary)) {
    return false;
  }
  return e.lattice.disagreement >= kDisagreement ||
         (e.lattice.inflected && e.lattice.homograph >= kInflectedHomograph);
}

}  // namespace

RunReview JudgeRun(const RunEvidence& e) {
  RunReview review;
  review.uncertain = Uncertain(e);
  const auto add = [&](const Text& reading, CandidateSource source) {
    if (reading.empty() || review.candidates.size() >= kMaxCandidates) return;
    if (!std::all_of(reading.begin(), reading.end(), IsKana)) return;
    for (const ReadingCandidate& known : review.candidates) {
      if (known.reading == reading) return;
    }
    review.candidates.push_back({reading, source});
  };
  add(e.reading, SourceOf(e.origins));
  if (e.user) add(*e.user, CandidateSource::kUser);
  for (const auto& [reading, probability] : e.lattice.alternatives) {
    add(reading, CandidateSource::kAnalysis);
  }
  for (const auto& [reading, common] : e.dictionary) add(reading, CandidateSource::kDictionary);
  for (const Text& reading : e.dictionary_of_word) add(reading, CandidateSource::kDictionary);
  for (const Text& reading : e.variants) add(reading, CandidateSource::kAnalysis);
  for (const Text& reading : e.kanji) add(reading, CandidateSource::kKanji);
  return review;
}

}  // namespace yomika
