#ifndef YOMIKA_READING_READING_VERB_CONTEXT_H_
#define YOMIKA_READING_READING_VERB_CONTEXT_H_

// Which of two verbs written alike a particle before them points to, counted over EDICT's
// phrases that end in a particle and a verb of that kanji: 〜に行く, 〜も行く read 行 い, so
// 北海道に行った is 行く (いった), not 行う (おこなった); 〜が入れる reads はい.

#include <cstdint>
#include <map>
#include <unordered_map>
#include <vector>

#include "engine/text.h"
#include "reading/lattice_answers.h"
#include "reading/mecab_analyzer.h"
#include "reading/reading_compounds.h"

namespace yomika {

class VerbContext {
 public:
  // Nothing is counted until the first use; `lexicon` must outlive this.
  explicit VerbContext(CompoundLexicon& lexicon);

  // How often the lexicon's phrases (not marked usually kana) that end in `particle` and a verb
  // written `kanji` and kana read the kanji each way. Example: (行, に) → {い: 10, ゆ: 2}.
  std::map<Text, int> CountsAfter(char32_t particle, char32_t kanji);

  // Replaces each verb of `words` (an analysis of `text`, its lattice's `answers`) written as
  // one kanji and kana and following one of the particles を が に へ で と は も, by the other
  // verb of the same characters the lattice offers, when at least three of the phrases that
  // read the kanji as one of the two agree nine in ten on the other's reading. It asks
  // `answers` for the verbs at the positions MarkVerbPositions marks only.
  void Apply(const Text& text, const LatticeAnswers& answers, std::vector<Morpheme>& words);

  // Sets `positions` to where in `text` Apply may ask for the lattice's verbs: a kanji right
  // after one of the particles.
  static void MarkVerbPositions(const Text& text, std::vector<bool>& positions);

  // Counts the phrases now (on a loading thread) rather than on first use.
  void Prepare() { CountOnce(); }

 private:
  void CountOnce();

  CompoundLexicon& lexicon_;
  bool counted_ = false;
  // By particle × 0x110000 + kanji.
  std::unordered_map<std::uint64_t, std::map<Text, int>> counts_;
};

}  // namespace yomika

#endif  // YOMIKA_READING_READING_VERB_CONTEXT_H_
