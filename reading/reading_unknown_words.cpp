#include "reading/reading_unknown_words.h"

#include <algorithm>
#include <optional>

#include "reading/reading_alignment.h"

namespace yomika {
namespace {

// A known noun that the lexicon may correct. Suffixes change with the word before them (川:
// がわ), numbers are read by the number rules, and place names keep the analyser's reading
// (上野: うえの, where EDICT lists only the old province こうずけ).
bool MayBeMisread(const Morpheme& word) {
  const std::u32string_view pos = word.part_of_speech;
  return pos.starts_with(U"名詞") && !pos.starts_with(U"名詞,接尾") &&
         !pos.starts_with(U"名詞,数") && !pos.starts_with(U"名詞,固有名詞,地域");
}

// The lexicon's reading for a known word it does not list as analysed: the only one, or the
// only common one; std::nullopt when the analysed reading is listed, also with its first sound
// voiced as the second part of a compound (競争会社: がいしゃ), or none stands out.
std::optional<Text> ListedInstead(const std::vector<CompoundReading>& readings,
                                  const Text& analysed) {
  const Text normal = FoldToHiragana(analysed);
  const CompoundReading* only_common = nullptr;
  int common = 0;
  for (const CompoundReading& r : readings) {
    if (r.reading == normal || VoiceFirstSound(r.reading) == normal) return std::nullopt;
    if (r.common) {
      ++common;
      only_common = &r;
    }
  }
  if (readings.size() == 1) return readings.front().reading;
  if (common == 1) return only_common->reading;
  return std::nullopt;
}

// The reading of a known compound verb or adjective, two kanji or more (物言え: ものゆえ), by
// the lexicon's entry of its dictionary form when that does not list the analysed reading
// (物言う: ものいう only). One kanji's verbs are left alone: the dictionary form the analyser
// gives may be another verb's (反し: 反す はんす, of 反する; EDICT's 反す is かえす).
std::optional<Text> ConjugatedInstead(const Text& text, const Morpheme& word,
                                      CompoundLexicon& lexicon) {
  const std::u32string_view pos = word.part_of_speech;
  if (std::count_if(word.base_form.begin(), word.base_form.end(), IsIdeograph) < 2 ||
      word.reading.empty() ||
      !(pos.starts_with(U"動詞,自立") || pos.starts_with(U"形容詞,自立"))) {
    return std::nullopt;
  }
  const Text surface = text.substr(word.begin, word.end - word.begin);
  // A form without kana after its kanji (来 of 来た: き, of 来ない: こ) changes the kanji's
  // own reading, which the dictionary form does not show.
  if (!IsKana(surface.back())) return std::nullopt;
  const std::optional<Text> base_reading =
      ConjugateReading(word.base_form, surface, FoldToHiragana(word.reading));
  if (!base_reading) return std::nullopt;
  const std::optional<Text> listed =
      ListedInstead(lexicon.ReadingsOf(word.base_form), *base_reading);
  if (!listed) return std::nullopt;
  return ConjugateReading(surface, word.base_form, *listed);
}

}  // namespace

void ReadUnknownWords(const Text& text, const std::vector<bool>& in_run,
                      CompoundLexicon& lexicon, std::vector<Morpheme>& words) {
  if (in_run.size() != text.size()) return;
  for (Morpheme& word : words) {
    if (word.known && !word.base_form.empty()) {
      if (std::optional<Text> conjugated = ConjugatedInstead(text, word, lexicon)) {
        word.reading = *std::move(conjugated);
      }
      continue;
    }
    if (word.end - word.begin < 2 || (word.known && !MayBeMisread(word)) ||
        std::none_of(in_run.begin() + static_cast<std::ptrdiff_t>(word.begin),
                     in_run.begin() + static_cast<std::ptrdiff_t>(word.end),
                     [](bool kanji) { return kanji; })) {
      continue;
    }
    const std::u32string_view surface =
        std::u32string_view(text).substr(word.begin, word.end - word.begin);
    // Most known nouns are listed as analysed or not at all; that is told without decoding.
    if (word.known && lexicon.ListsReading(surface, word.reading) != false) continue;
    const std::vector<CompoundReading> readings = lexicon.ReadingsOf(Text(surface));
    if (readings.empty()) continue;
    std::optional<Text> chosen = word.known ? ListedInstead(readings, word.reading)
                                            : ChooseCompoundReading(readings, word.reading);
    if (chosen) {
      word.reading = *std::move(chosen);
      word.known = true;
    }
  }
}

}  // namespace yomika
