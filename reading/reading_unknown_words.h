#ifndef YOMIKA_READING_READING_UNKNOWN_WORDS_H_
#define YOMIKA_READING_READING_UNKNOWN_WORDS_H_

// Words the analyser does not know (軟木, 仔馬) are made up for a stretch of kanji and would
// be read kanji by kanji (仔馬: しうま); EDICT often lists them whole (こうま). Nouns it knows
// but reads in a way EDICT does not list are mostly its guesses: a name's reading for a word
// (忠順: ただより, EDICT ちゅうじゅん) or a rare reading (降伏: ごうぶく, EDICT こうふく; 根付く:
// ねつく, EDICT ねづく).

#include <vector>

#include "engine/text.h"
#include "reading/mecab_analyzer.h"
#include "reading/reading_compounds.h"

namespace yomika {

// Gives each word of `words` (an analysis of `text`) that the analyser made up and that holds
// two or more characters, a kanji among them, the reading `lexicon` lists for it: the only one,
// or the only common one (ChooseCompoundReading). A noun of two or more characters that the
// analyser knows (not a suffix, number or place name) whose reading the lexicon does not list
// for it gets the lexicon's only reading or only common one; so does a known verb or adjective
// of two or more kanji, by its dictionary form (物言え: ものゆえ → ものいえ, from 物言う
// ものいう). Other words stay as they are.
void ReadUnknownWords(const Text& text, const std::vector<bool>& in_run,
                      CompoundLexicon& lexicon, std::vector<Morpheme>& words);

}  // namespace yomika

#endif  // YOMIKA_READING_READING_UNKNOWN_WORDS_H_
