#ifndef YOMIKA_READING_READING_CLOSE_CALLS_H_
#define YOMIKA_READING_READING_CLOSE_CALLS_H_

// Words the analyser's dictionary reads two ways at nearly the same cost (高音: たかね and
// こうおん, 560 apart): the analysis hardly prefers either, so other evidence decides between
// them: EDICT's mark of the common reading.

#include <vector>

#include "engine/text.h"
#include "reading/lattice_answers.h"
#include "reading/reading_compounds.h"

namespace yomika {

// Whether `a` and `b` differ only in voiced and plain kana (けんきゅうじょ, けんきゅうしょ):
// spellings of one reading rather than two readings.
bool DiffersOnlyInVoicing(const Text& a, const Text& b);

// Gives each word of `words` (an analysis of `text`, rules applied, its lattice's `answers`)
// of two or more characters, a kanji among them, that the dictionary also reads another way at
// a close cost (LatticeAnswers::CloseReadings) the other reading when `lexicon` marks it, and it
// alone, common and does not mark the analysed one; before の, when both are common, the one
// whose entry alone takes の (大勢の: おおぜい). Readings that differ only in voicing stay.
void ResolveCloseCalls(const Text& text, const std::vector<bool>& in_run,
                       const LatticeAnswers& answers, CompoundLexicon& lexicon,
                       std::vector<Morpheme>& words);

}  // namespace yomika

#endif  // YOMIKA_READING_READING_CLOSE_CALLS_H_
