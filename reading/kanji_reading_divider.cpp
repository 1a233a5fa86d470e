#include "reading/kanji_reading_divider.h"

#include <limits>

#include "reading/reading_alignment.h"

namespace yomika {
namespace {

constexpr int kNameReadingCost = 2;  // a name reading only where no common one fits
constexpr int kJointChangeCost = 1;  // one voicing or one small っ
constexpr int kNoDivision = std::numeric_limits<int>::max();

struct Candidate {
  Text kana;
  int cost = 0;
};

// Dakuten and handakuten forms of a kana; empty for kana that take neither.
Text VoicedForms(char32_t c) {
  static constexpr std::u32string_view kPlain = U"かきくけこさしすせそたちつてと";
  if (const std::size_t at = kPlain.find(c); at != std::u32string_view::npos) {
    return Text(1, c + 1);
  }
  static constexpr std::u32string_view kHa = U"はひふへほ";
  if (kHa.find(c) != std::u32string_view::npos) return {static_cast<char32_t>(c + 1), c + 2};
  return {};
}

bool TakesSmallTsu(char32_t c) { return c == U'つ' || c == U'ち' || c == U'く' || c == U'き'; }

// The i-row kana of a u-row kana (く → き); the kana itself otherwise.
char32_t IRow(char32_t c) {
  static constexpr std::u32string_view kU = U"うくぐすずつづぬふぶぷむゆる";
  static constexpr std::u32string_view kI = U"いきぎしじちぢにひびぴみいり";
  const std::size_t at = kU.find(c);
  return at == std::u32string_view::npos ? c : kI[at];
}

void Add(std::vector<Candidate>& candidates, const Text& kana, int cost) {
  if (kana.empty()) return;
  for (const Candidate& known : candidates) {
    if (known.kana == kana) return;
  }
  candidates.push_back({kana, cost});
}

std::vector<Candidate> CandidatesOf(const KanjiInfo& info) {
  std::vector<Candidate> candidates;
  for (const Text& on : info.on) Add(candidates, on, 0);
  for (const Text& kun : info.kun) {
    for (const Text& form : KunForms(kun)) Add(candidates, form, 0);
  }
  for (const Text& name : info.nanori) Add(candidates, FoldToHiragana(name), kNameReadingCost);
  return candidates;
}

// Calls `take(form, extra_cost)` for the candidate's forms at a position of the run.
template <typename Take>
void ForEachForm(const Candidate& candidate, bool first, bool last, Take take) {
  std::vector<std::pair<Text, int>> forms = {{candidate.kana, candidate.cost}};
  if (!first) {
    for (const char32_t voiced : VoicedForms(candidate.kana.front())) {
      Text form = candidate.kana;
      form.front() = voiced;
      forms.emplace_back(form, candidate.cost + kJointChangeCost);
    }
  }
  for (const auto& [form, cost] : forms) {
    take(form, cost);
    if (!last && form.size() >= 2 && TakesSmallTsu(form.back())) {
      Text shortened = form;
      shortened.back() = U'っ';
      take(shortened, cost + kJointChangeCost);
    }
  }
}

}  // namespace

std::vector<Text> KunForms(const Text& kun) {
  const std::size_t dot = kun.find(U'.');
  const Text stem = KunStem(kun);
  if (dot == Text::npos) return {stem};
  Text okurigana;
  for (const char32_t c : kun.substr(dot + 1)) {
    if (c != U'-') okurigana += c;
  }
  std::vector<Text> forms = {stem};
  if (okurigana.empty()) return forms;
  forms.push_back(stem + okurigana);
  Text compound_stem = stem + okurigana;
  if (okurigana.back() == U'る' && okurigana.size() >= 2) {
    compound_stem.pop_back();
  } else {
    compound_stem.back() = IRow(compound_stem.back());
  }
  if (compound_stem != forms.back()) forms.push_back(compound_stem);
  return forms;
}

std::optional<std::vector<Text>> KanjiReadingDivider::Divide(const Text& run,
                                                             const Text& reading) const {
  const std::size_t n = run.size();
  if (n == 0 || reading.size() < n) return std::nullopt;
  std::vector<std::vector<Candidate>> candidates(n);
  for (std::size_t i = 0; i < n; ++i) {
    const char32_t c = run[i];
    if (c == U'々') {
      if (i > 0) candidates[i] = candidates[i - 1];
    } else if (c == U'ヶ' || c == U'ヵ') {
      candidates[i] = {{U"か", 0}, {U"が", 0}, {U"こ", 0}, {U"け", 0}};
    } else if (const KanjiInfo* info = kanjidic_.Find(c)) {
      candidates[i] = CandidatesOf(*info);
    }
    if (candidates[i].empty()) return std::nullopt;
  }

  // cost[i][p]: the cheapest division of run[i…] over folded[p…]; length[i][p]: the length
  // of run[i]'s part in it.
  const Text folded = FoldToHiragana(reading);
  const std::size_t size = folded.size();
  std::vector<std::vector<int>> cost(n + 1, std::vector<int>(size + 1, kNoDivision));
  std::vector<std::vector<std::size_t>> length(n, std::vector<std::size_t>(size + 1, 0));
  cost[n][size] = 0;
  for (std::size_t i = n; i-- > 0;) {
    for (std::size_t p = 0; p < size; ++p) {
      for (const Candidate& candidate : candidates[i]) {
        ForEachForm(candidate, i == 0, i + 1 == n, [&](const Text& form, int form_cost) {
          if (folded.compare(p, form.size(), form) != 0) return;
          const int rest = cost[i + 1][p + form.size()];
          if (rest == kNoDivision || rest + form_cost >= cost[i][p]) return;
          cost[i][p] = rest + form_cost;
          length[i][p] = form.size();
        });
      }
    }
  }
  if (cost[0][0] == kNoDivision) return std::nullopt;
  std::vector<Text> parts;
  std::size_t p = 0;
  for (std::size_t i = 0; i < n; ++i) {
    parts.push_back(reading.substr(p, length[i][p]));
    p += length[i][p];
  }
  return parts;
}

}  // namespace yomika
