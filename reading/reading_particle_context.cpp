#include "reading/reading_particle_context.h"

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "reading/reading_alignment.h"

namespace yomika {
namespace {

// The particles whose phrases are counted.
constexpr char32_t kParticles[] = U"をがにのはでともへや";
constexpr int kFewestPhrases = 3;

bool IsParticle(char32_t c) {
  return std::u32string_view(kParticles).find(c) != std::u32string_view::npos;
}

std::uint64_t KeyOf(char32_t kanji, char32_t particle) {
  return std::uint64_t{kanji} * 0x110000 + particle;
}

// The part of `reading` that the first character of `headword` (a kanji, then the particle)
// stands for: the reading less the kana after the kanji when those are all kana, else the
// reading up to the only place the particle stands in it. Empty when neither tells.
Text ReadingOfFirst(const Text& headword, const Text& reading) {
  const Text rest = FoldToHiragana(headword.substr(1));
  if (std::all_of(rest.begin(), rest.end(), IsKana)) {
    if (reading.size() > rest.size() &&
        reading.compare(reading.size() - rest.size(), rest.size(), rest) == 0) {
      return reading.substr(0, reading.size() - rest.size());
    }
    return {};
  }
  const std::size_t at = reading.find(headword[1]);
  if (at == Text::npos || at == 0 || reading.find(headword[1], at + 1) != Text::npos) return {};
  return reading.substr(0, at);
}

}  // namespace

ParticleContext::ParticleContext(CompoundLexicon& lexicon) : lexicon_(lexicon) {}

void ParticleContext::CountOnce() {
  if (counted_) return;
  counted_ = true;
  std::map<std::uint64_t, std::map<Text, int>> counts;
  // Only headwords whose second character is one of the particles are decoded; those are
  // hiragana, which EUC-JP writes 0xA4 and a trail byte.
  std::array<bool, 256> particle_trail{};
  for (const char32_t* p = kParticles; *p; ++p) {
    if (std::optional<std::string> code = CompoundLexicon::Encode(Text(1, *p))) {
      particle_trail[static_cast<unsigned char>((*code)[1])] = true;
    }
  }
  const auto second_is_particle = [&particle_trail](std::string_view head) {
    return static_cast<unsigned char>(head[2]) == 0xA4 &&
           particle_trail[static_cast<unsigned char>(head[3])];
  };
  lexicon_.ForEachEntry(second_is_particle, [&counts](const Text& headword,
                                                      const CompoundReading& reading) {
    if (headword.size() < 3 || !IsIdeograph(headword[0]) || reading.usually_kana) return;
    const Text first = ReadingOfFirst(headword, reading.reading);
    if (!first.empty()) ++counts[KeyOf(headword[0], headword[1])][first];
  });
  for (const auto& [key, by_reading] : counts) {
    int total = 0;
    const std::pair<const Text, int>* best = nullptr;
    for (const auto& entry : by_reading) {
      total += entry.second;
      if (!best || entry.second > best->second) best = &entry;
    }
    // Nine in ten of at least three phrases.
    if (total >= kFewestPhrases && 10 * best->second >= 9 * total) readings_[key] = best->first;
  }
}

std::optional<Text> ParticleContext::ReadingBefore(char32_t kanji, char32_t particle) {
  CountOnce();
  const auto found = readings_.find(KeyOf(kanji, particle));
  if (found == readings_.end()) return std::nullopt;
  return found->second;
}

void ParticleContext::Apply(const Text& text, const std::vector<bool>& in_run,
                            std::vector<Morpheme>& words) {
  for (std::size_t i = 0; i + 1 < words.size(); ++i) {
    Morpheme& word = words[i];
    const Morpheme& next = words[i + 1];
    if (word.end != word.begin + 1 || !in_run[word.begin] ||
        !word.part_of_speech.starts_with(U"名詞") || word.part_of_speech.starts_with(U"名詞,接尾") ||
        next.begin != word.end || !IsParticle(text[next.begin]) ||
        !next.part_of_speech.starts_with(U"助詞")) {
      continue;
    }
    if (i > 0) {
      // Part of a compound: 日本 金 を is not 金 を.
      const Morpheme& before = words[i - 1];
      if ((before.part_of_speech.starts_with(U"名詞") ||
           before.part_of_speech.starts_with(U"接頭詞")) &&
          before.end == word.begin && before.end > before.begin && in_run[before.end - 1]) {
        continue;
      }
    }
    if (std::optional<Text> reading = ReadingBefore(text[word.begin], text[next.begin])) {
      word.reading = *std::move(reading);
    }
  }
}

}  // namespace yomika
