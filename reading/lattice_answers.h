#ifndef YOMIKA_READING_LATTICE_ANSWERS_H_
#define YOMIKA_READING_LATTICE_ANSWERS_H_

// What the passes after an analysis ask of the analyser's lattice, recorded with the analysis:
// the dictionary's close readings of a word and the other verbs of the same characters. Kept
// with the words, they let the passes run while the analyser goes on with the next sentence.

#include <cstddef>
#include <vector>

#include "reading/mecab_analyzer.h"

namespace yomika {

// The records, as the analyser makes them: feature strings, not yet decoded. Reused, its
// vectors keep their room.
class LatticeRecord {
 public:
  // Recording, in text order of `begin`.
  // The close candidates of the best-path word [begin, end), unfiltered, in lattice order.
  void AddCloseWords(std::size_t begin, std::size_t end, const std::vector<const char*>& words);
  // A verb of the lattice over [begin, end); `irregular` when it conjugates irregularly.
  void AddVerb(std::size_t begin, std::size_t end, const char* feature, bool irregular);
  void Clear();

 private:
  friend class LatticeAnswers;
  struct CloseWords {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t first = 0;  // in close_features_
    std::size_t count = 0;
  };
  struct Verb {
    std::size_t begin = 0;
    std::size_t end = 0;
    const char* feature = nullptr;
    bool irregular = false;
  };
  std::vector<CloseWords> close_;
  std::vector<const char*> close_features_;
  std::vector<Verb> verbs_;
};

// The answers of a record, decoded by an analyser of the same dictionary.
class LatticeAnswers {
 public:
  LatticeAnswers(const LatticeRecord& record, MecabAnalyzer& decoder)
      : record_(record), decoder_(decoder) {}

  // The dictionary's other readings of the best-path word over [begin, end): words of the
  // same span and word class whose word cost is at most MecabAnalyzer::kCloseCost above the
  // chosen one's, readings other than `reading`, each once, in lattice order. Recorded for
  // best-path words of two or more characters; none for other spans, as the lattice has none.
  // Example: 大勢 (たいせい) → 大勢 (おおぜい).
  std::vector<Morpheme> CloseReadings(std::size_t begin, std::size_t end,
                                      const Text& reading) const;

  // The verbs of the lattice over [begin, end) whose reading differs from `reading`, each
  // reading and base form once, in lattice order; none when one of the verbs there conjugates
  // irregularly (来る, する: their kanji read differently by form). Recorded at the positions
  // the analysis was asked for. Example: 行っ (おこなっ) → 行っ (いっ, 行く).
  std::vector<Morpheme> OtherVerbs(std::size_t begin, std::size_t end,
                                   const Text& reading) const;

 private:
  const LatticeRecord& record_;
  MecabAnalyzer& decoder_;
};

}  // namespace yomika

#endif  // YOMIKA_READING_LATTICE_ANSWERS_H_
