#ifndef YOMIKA_READING_READING_UNKNOWN_WORDS_H_
#define YOMIKA_READING_READING_UNKNOWN_WORDS_H_

// Words the analyser does not know (軟木, 仔馬) are made up for a stretch of kanji and would
// be read kanji by kanji (仔馬: しうま); EDICT often lists them whole (こうま).

#include <vector>

#include "engine/text.h"
#include "reading/mecab_analyzer.h"
#include "reading/reading_compounds.h"

namespace yomika {

// Gives each word of `words` (an analysis of `text`) that the analyser made up and that holds
// two or more characters, a kanji among them, the reading `lexicon` lists for it: the only one,
// or the only common one (ChooseCompoundReading). Other words stay as they are.
void ReadUnknownWords(const Text& text, const std::vector<bool>& in_run,
                      CompoundLexicon& lexicon, std::vector<Morpheme>& words);

}  // namespace yomika

#endif  // YOMIKA_READING_READING_UNKNOWN_WORDS_H_
