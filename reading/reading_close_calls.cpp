#include "reading/reading_close_calls.h"

#include <algorithm>
#include <optional>

#include "reading/reading_alignment.h"

namespace yomika {
namespace {

// The plain kana of a voiced or half-voiced one (が → か, ぱ → は); others as they are.
char32_t Unvoiced(char32_t c) {
  static constexpr char32_t kVoiced[] = U"がぎぐげござじずぜぞだぢづでどばびぶべぼ";
  static constexpr char32_t kHalfVoiced[] = U"ぱぴぷぺぽ";
  for (const char32_t* p = kVoiced; *p; ++p) {
    if (*p == c) return c - 1;
  }
  for (const char32_t* p = kHalfVoiced; *p; ++p) {
    if (*p == c) return c - 2;
  }
  return c;
}

bool HoldsKanji(const std::vector<bool>& in_run, const Morpheme& word) {
  return std::any_of(in_run.begin() + static_cast<std::ptrdiff_t>(word.begin),
                     in_run.begin() + static_cast<std::ptrdiff_t>(word.end),
                     [](bool kanji) { return kanji; });
}

// The lexicon's verdict between the analysed reading and the close ones: the close reading it
// alone marks common, when it does not mark the analysed one.
std::optional<Text> CommonInstead(const std::vector<CompoundReading>& listed,
                                  const Text& analysed, const std::vector<Morpheme>& close) {
  const auto common = [&listed](const Text& reading) {
    return std::any_of(listed.begin(), listed.end(), [&](const CompoundReading& r) {
      return r.common && r.reading == reading;
    });
  };
  if (common(analysed)) return std::nullopt;
  std::optional<Text> chosen;
  for (const Morpheme& other : close) {
    if (!common(other.reading) || DiffersOnlyInVoicing(other.reading, analysed)) continue;
    if (chosen) return std::nullopt;
    chosen = other.reading;
  }
  return chosen;
}

// Before の, the lexicon's verdict between readings it marks common alike: the close reading
// whose entry alone modifies nouns with の (大勢の: おおぜい, adj-no; たいせい, a noun only).
std::optional<Text> TakesNoInstead(const std::vector<CompoundReading>& listed,
                                   const Text& analysed, const std::vector<Morpheme>& close) {
  const auto find = [&listed](const Text& reading) -> const CompoundReading* {
    for (const CompoundReading& r : listed) {
      if (r.reading == reading) return &r;
    }
    return nullptr;
  };
  const CompoundReading* own = find(analysed);
  if (!own || !own->common || own->takes_no) return std::nullopt;
  std::optional<Text> chosen;
  for (const Morpheme& other : close) {
    const CompoundReading* entry = find(other.reading);
    if (!entry || !entry->common || !entry->takes_no ||
        DiffersOnlyInVoicing(other.reading, analysed) || chosen == other.reading) {
      continue;
    }
    if (chosen) return std::nullopt;
    chosen = other.reading;
  }
  return chosen;
}

}  // namespace

bool DiffersOnlyInVoicing(const Text& a, const Text& b) {
  if (a.size() != b.size() || a == b) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Unvoiced(a[i]) != Unvoiced(b[i])) return false;
  }
  return true;
}

void ResolveCloseCalls(const Text& text, const std::vector<bool>& in_run,
                       const LatticeAnswers& answers, CompoundLexicon& lexicon,
                       std::vector<Morpheme>& words) {
  if (in_run.size() != text.size()) return;
  for (Morpheme& word : words) {
    if (!word.known || word.end - word.begin < 2 || word.reading.empty() ||
        !HoldsKanji(in_run, word)) {
      continue;
    }
    const std::vector<Morpheme> close = answers.CloseReadings(word.begin, word.end, word.reading);
    if (close.empty()) continue;
    const std::vector<CompoundReading> listed =
        lexicon.ReadingsOf(text.substr(word.begin, word.end - word.begin));
    const Text analysed = FoldToHiragana(word.reading);
    std::optional<Text> chosen = CommonInstead(listed, analysed, close);
    if (!chosen && word.end < text.size() && text[word.end] == U'の') {
      chosen = TakesNoInstead(listed, analysed, close);
    }
    if (chosen) word.reading = *std::move(chosen);
  }
}

}  // namespace yomika
