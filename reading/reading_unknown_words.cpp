#include "reading/reading_unknown_words.h"

#include <algorithm>
#include <optional>

namespace yomika {

void ReadUnknownWords(const Text& text, const std::vector<bool>& in_run,
                      CompoundLexicon& lexicon, std::vector<Morpheme>& words) {
  if (in_run.size() != text.size()) return;
  for (Morpheme& word : words) {
    if (word.known || word.end - word.begin < 2 ||
        std::none_of(in_run.begin() + static_cast<std::ptrdiff_t>(word.begin),
                     in_run.begin() + static_cast<std::ptrdiff_t>(word.end),
                     [](bool kanji) { return kanji; })) {
      continue;
    }
    const std::vector<CompoundReading> readings =
        lexicon.ReadingsOf(text.substr(word.begin, word.end - word.begin));
    if (std::optional<Text> chosen = ChooseCompoundReading(readings, word.reading)) {
      word.reading = *std::move(chosen);
      word.known = true;
    }
  }
}

}  // namespace yomika
