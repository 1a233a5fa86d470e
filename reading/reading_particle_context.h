#ifndef YOMIKA_READING_READING_PARTICLE_CONTEXT_H_
#define YOMIKA_READING_READING_PARTICLE_CONTEXT_H_

// The reading of a lone kanji noun told by the particle after it, counted over EDICT's phrases
// that begin with that kanji and that particle: 金を使う, 金を貯める, 金を落とす … read 金
// かね in all of them, so 金を does too, where the analyser reads 金 alone きん.

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "engine/text.h"
#include "reading/mecab_analyzer.h"
#include "reading/reading_compounds.h"

namespace yomika {

class ParticleContext {
 public:
  // Nothing is counted until the first use; `lexicon` must outlive this.
  explicit ParticleContext(CompoundLexicon& lexicon);

  // The reading of `kanji` before `particle` when at least three of the lexicon's phrases
  // (not marked usually kana) begin with the two and nine in ten of them read the kanji alike;
  // std::nullopt otherwise. Example: (金, を) → かね; (間, の) → nothing (あい, ま).
  std::optional<Text> ReadingBefore(char32_t kanji, char32_t particle);

  // Gives each noun of one kanji in `words` (an analysis of `text`) that stands on its own (no
  // noun or prefix ending in a kanji before it) and is followed by a particle the reading
  // ReadingBefore tells.
  void Apply(const Text& text, const std::vector<bool>& in_run, std::vector<Morpheme>& words);

  // Counts the phrases now (on a loading thread) rather than on first use.
  void Prepare() { CountOnce(); }

 private:
  void CountOnce();

  CompoundLexicon& lexicon_;
  bool counted_ = false;
  // By kanji × 0x110000 + particle: the reading the phrases agree on.
  std::unordered_map<std::uint64_t, Text> readings_;
};

}  // namespace yomika

#endif  // YOMIKA_READING_READING_PARTICLE_CONTEXT_H_
