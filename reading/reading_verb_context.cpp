#include "reading/reading_verb_context.h"

#include <algorithm>
#include <array>
#include <string>
#include <optional>
#include <string_view>

#include "reading/reading_alignment.h"

namespace yomika {
namespace {

constexpr char32_t kParticles[] = U"をがにへでとはも";
constexpr int kFewestPhrases = 3;

bool IsParticle(char32_t c) {
  return std::u32string_view(kParticles).find(c) != std::u32string_view::npos;
}

std::uint64_t KeyOf(char32_t particle, char32_t kanji) {
  return std::uint64_t{particle} * 0x110000 + kanji;
}

// Where the verb of `surface` begins: the last kanji, with only kana after it and a particle
// before it; std::nullopt when the surface does not end so.
std::optional<std::size_t> FinalVerb(const Text& surface) {
  std::size_t at = surface.size();
  while (at > 0 && IsKana(surface[at - 1])) --at;
  if (at < 2 || at == surface.size() || !IsIdeograph(surface[at - 1])) return std::nullopt;
  if (!IsParticle(surface[at - 2])) return std::nullopt;
  return at - 1;
}

// The reading of the word's one kanji: its reading less the kana written after the kanji.
std::optional<Text> KanjiReading(const Text& surface, const Text& reading) {
  const Text kana = FoldToHiragana(surface.substr(1));
  if (reading.size() <= kana.size() ||
      reading.compare(reading.size() - kana.size(), kana.size(), kana) != 0) {
    return std::nullopt;
  }
  return reading.substr(0, reading.size() - kana.size());
}

}  // namespace

VerbContext::VerbContext(CompoundLexicon& lexicon) : lexicon_(lexicon) {}

void VerbContext::CountOnce() {
  if (counted_) return;
  counted_ = true;
  // Only headwords that end in a particle, a kanji and hiragana are decoded. EUC-JP writes
  // hiragana 0xA4 and a trail byte, kanji with a lead byte from 0xB0.
  std::array<bool, 256> particle_trail{};
  for (const char32_t* p = kParticles; *p; ++p) {
    if (std::optional<std::string> code = CompoundLexicon::Encode(Text(1, *p))) {
      particle_trail[static_cast<unsigned char>((*code)[1])] = true;
    }
  }
  const auto ends_in_verb_phrase = [&particle_trail](std::string_view head) {
    std::size_t at = head.size();
    while (at >= 2 && static_cast<unsigned char>(head[at - 2]) == 0xA4) at -= 2;
    if (at == head.size() || at < 6 || static_cast<unsigned char>(head[at - 2]) < 0xB0) {
      return false;
    }
    return static_cast<unsigned char>(head[at - 4]) == 0xA4 &&
           particle_trail[static_cast<unsigned char>(head[at - 3])];
  };
  lexicon_.ForEachEntry(ends_in_verb_phrase, [this](const Text& headword,
                                                 const CompoundReading& reading) {
    if (reading.usually_kana) return;
    const std::optional<std::size_t> verb = FinalVerb(headword);
    if (!verb) return;
    const Text okurigana = FoldToHiragana(headword.substr(*verb + 1));
    const Text& r = reading.reading;
    if (r.size() <= okurigana.size() ||
        r.compare(r.size() - okurigana.size(), okurigana.size(), okurigana) != 0) {
      return;
    }
    const Text body = r.substr(0, r.size() - okurigana.size());
    const std::size_t particle = body.rfind(headword[*verb - 1]);
    if (particle == Text::npos || particle + 1 >= body.size()) return;
    ++counts_[KeyOf(headword[*verb - 1], headword[*verb])][body.substr(particle + 1)];
  });
}

std::map<Text, int> VerbContext::CountsAfter(char32_t particle, char32_t kanji) {
  CountOnce();
  const auto found = counts_.find(KeyOf(particle, kanji));
  return found == counts_.end() ? std::map<Text, int>() : found->second;
}

void VerbContext::MarkVerbPositions(const Text& text, std::vector<bool>& positions) {
  positions.assign(text.size(), false);
  for (std::size_t i = 1; i < text.size(); ++i) {
    positions[i] = IsIdeograph(text[i]) && IsParticle(text[i - 1]);
  }
}

void VerbContext::Apply(const Text& text, const LatticeAnswers& answers,
                        std::vector<Morpheme>& words) {
  for (std::size_t i = 1; i < words.size(); ++i) {
    Morpheme& word = words[i];
    const Morpheme& before = words[i - 1];
    if (!word.part_of_speech.starts_with(U"動詞") || !IsIdeograph(text[word.begin]) ||
        !before.part_of_speech.starts_with(U"助詞") || before.end != word.begin ||
        !IsParticle(text[before.end - 1])) {
      continue;
    }
    const Text surface = text.substr(word.begin, word.end - word.begin);
    if (!std::all_of(surface.begin() + 1, surface.end(), IsKana)) continue;
    const std::optional<Text> own = KanjiReading(surface, word.reading);
    if (!own) continue;
    const std::map<Text, int> counts = CountsAfter(text[before.end - 1], text[word.begin]);
    if (counts.empty()) continue;
    const auto count_of = [&counts](const Text& reading) {
      const auto found = counts.find(reading);
      return found == counts.end() ? 0 : found->second;
    };
    for (const Morpheme& other : answers.OtherVerbs(word.begin, word.end, word.reading)) {
      const std::optional<Text> theirs = KanjiReading(surface, other.reading);
      if (!theirs || *theirs == *own) continue;
      const int for_other = count_of(*theirs);
      const int total = for_other + count_of(*own);
      // Nine in ten of at least three phrases.
      if (total >= kFewestPhrases && 10 * for_other >= 9 * total) {
        word = other;
        break;
      }
    }
  }
}

}  // namespace yomika
