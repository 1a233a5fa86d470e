#include "reading/reading_alignment.h"

#include <cstdlib>
#include <limits>

namespace yomika {
namespace {

constexpr char32_t kKatakanaFirst = U'ァ';
constexpr char32_t kKatakanaLast = U'ヶ';
constexpr char32_t kHiraganaOffset = U'ァ' - U'ぁ';

// Whether surface character `s` (not part of a kanji run) is written for reading kana `r`.
// The small ケ and カ of counters are read か or が (一ヶ所, 三ヵ月).
bool KanaMatches(char32_t s, char32_t r) {
  if (s == U'ヶ' || s == U'ヵ' || s == U'ケ') {
    if (r == U'か' || r == U'が' || r == U'こ') return true;
  }
  return FoldToHiragana(s) == r;
}

// A surface character outside the kanji runs that is no kana yet stands for sounds of the
// reading (〆切 しめきり, Ｘ線 えっくすせん).
bool IsSoundSymbol(char32_t c) { return !IsKana(c); }

// The kana a symbol most likely stands for: a digit one (２月 にがつ), anything else two, like
// a kanji (〆 しめ).
long SymbolKana(char32_t c) {
  return (c >= U'0' && c <= U'9') || (c >= U'０' && c <= U'９') ? 1 : 2;
}

bool HasSoundSymbol(const Text& text, std::size_t begin, std::size_t end) {
  for (std::size_t i = begin; i < end; ++i) {
    if (IsSoundSymbol(text[i])) return true;
  }
  return false;
}

// Backtracking search over the ways to split the reading; surfaces are a few characters long,
// so the search is tiny, but it is capped anyway.
class Aligner {
 public:
  Aligner(const Text& surface, const std::vector<bool>& in_run, const Text& reading)
      : surface_(surface), in_run_(in_run), reading_(reading), stretches_(KanjiStretches(in_run)) {
    current_.resize(stretches_.size());
  }

  std::optional<std::vector<KanjiPiece>> Run() {
    Search(0, 0, 0);
    if (!found_) return std::nullopt;
    std::vector<KanjiPiece> pieces = stretches_;
    for (std::size_t k = 0; k < pieces.size(); ++k) {
      pieces[k].reading = reading_.substr(best_[k].first, best_[k].second - best_[k].first);
    }
    return pieces;
  }

 private:
  // Matches surface from `s` against reading from `r`; `k` is the next stretch.
  void Search(std::size_t s, std::size_t r, std::size_t k) {
    if (++steps_ > kMaxSteps) return;
    while (s < surface_.size() && !in_run_[s]) {
      if (IsSoundSymbol(surface_[s])) {
        // It takes any part of the reading, scored like a kanji's.
        const long expected = SymbolKana(surface_[s]);
        for (std::size_t e = r; e <= reading_.size(); ++e) {
          const long kana = static_cast<long>(e - r);
          symbol_cost_ += std::labs(kana - expected);
          symbol_kana_ += kana;
          Search(s + 1, e, k);
          symbol_cost_ -= std::labs(kana - expected);
          symbol_kana_ -= kana;
        }
        return;
      }
      if (r >= reading_.size() || !KanaMatches(surface_[s], reading_[r])) return;
      ++s;
      ++r;
    }
    if (s == surface_.size()) {
      if (r == reading_.size()) Accept();
      return;
    }
    const std::size_t stretch_end = stretches_[k].end;
    for (std::size_t e = r + 1; e <= reading_.size(); ++e) {
      current_[k] = {r, e};
      Search(stretch_end, e, k + 1);
    }
  }

  // Of equal splits the first found wins, unless symbols take more of the reading in another:
  // a kanji before okurigana reads short (〆切り: 〆 しめ, 切 き).
  void Accept() {
    long cost = symbol_cost_;
    for (std::size_t k = 0; k < stretches_.size(); ++k) {
      const long kanji = static_cast<long>(stretches_[k].end - stretches_[k].begin);
      const long kana = static_cast<long>(current_[k].second - current_[k].first);
      cost += std::labs(kana - 2 * kanji);
    }
    if (!found_ || cost < best_cost_ || (cost == best_cost_ && symbol_kana_ > best_symbol_kana_)) {
      found_ = true;
      best_cost_ = cost;
      best_symbol_kana_ = symbol_kana_;
      best_ = current_;
    }
  }

  static constexpr int kMaxSteps = 4096;
  const Text& surface_;
  const std::vector<bool>& in_run_;
  const Text& reading_;
  const std::vector<KanjiPiece> stretches_;
  std::vector<std::pair<std::size_t, std::size_t>> current_;
  std::vector<std::pair<std::size_t, std::size_t>> best_;
  long best_cost_ = std::numeric_limits<long>::max();
  long symbol_cost_ = 0;  // of the symbols matched so far
  long symbol_kana_ = 0;  // how much of the reading they take
  long best_symbol_kana_ = 0;
  bool found_ = false;
  int steps_ = 0;
};

}  // namespace

char32_t FoldToHiragana(char32_t c) {
  if (c >= kKatakanaFirst && c <= kKatakanaLast) return c - kHiraganaOffset;
  if (c == U'ヽ' || c == U'ヾ') return c - kHiraganaOffset;
  return c;
}

Text FoldToHiragana(const Text& text) {
  Text out = text;
  for (char32_t& c : out) c = FoldToHiragana(c);
  return out;
}

bool IsKana(char32_t c) { return (c >= U'ぁ' && c <= U'ゖ') || (c >= U'ァ' && c <= U'ヺ') || c == U'ー'; }

bool IsIdeograph(char32_t c) {
  return (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || c >= 0x20000;
}

std::vector<KanjiPiece> KanjiStretches(const std::vector<bool>& in_run) {
  std::vector<KanjiPiece> stretches;
  for (std::size_t i = 0; i < in_run.size(); ++i) {
    if (!in_run[i]) continue;
    if (i > 0 && in_run[i - 1]) {
      stretches.back().end = i + 1;
    } else {
      stretches.push_back({i, i + 1, {}});
    }
  }
  return stretches;
}

std::optional<std::vector<KanjiPiece>> AlignReading(const Text& surface,
                                                    const std::vector<bool>& in_run,
                                                    const Text& reading) {
  if (in_run.size() != surface.size()) return std::nullopt;
  return Aligner(surface, in_run, reading).Run();
}

std::vector<KanjiPiece> AlignReadingLoosely(const Text& surface, const std::vector<bool>& in_run,
                                            const Text& reading) {
  if (std::optional<std::vector<KanjiPiece>> exact = AlignReading(surface, in_run, reading)) {
    return *std::move(exact);
  }
  std::vector<KanjiPiece> pieces = KanjiStretches(in_run);
  if (pieces.size() != 1 || in_run.size() != surface.size()) return pieces;
  // Okurigana and prefixes that match are not part of the kanji's reading.
  std::size_t head = 0;
  while (head < pieces[0].begin && head < reading.size() &&
         KanaMatches(surface[head], reading[head])) {
    ++head;
  }
  std::size_t tail = 0;
  const std::size_t after = surface.size() - pieces[0].end;
  while (tail < after && head + tail < reading.size() &&
         KanaMatches(surface[surface.size() - 1 - tail], reading[reading.size() - 1 - tail])) {
    ++tail;
  }
  if (head + tail < reading.size()) {
    pieces[0].reading = reading.substr(head, reading.size() - head - tail);
  }
  return pieces;
}

void AppendAlignedPieces(const Text& text, const std::vector<bool>& in_run, std::size_t begin,
                         std::size_t end, const Text& reading, std::vector<KanjiPiece>& pieces) {
  if (end > text.size() || end > in_run.size() || begin >= end) return;
  std::size_t stretch_begin = end;
  std::size_t stretches = 0;
  for (std::size_t i = begin; i < end; ++i) {
    if (!in_run[i] || (i > begin && in_run[i - 1])) continue;
    ++stretches;
    stretch_begin = i;
  }
  if (stretches == 0) return;
  if (stretches == 1) {
    std::size_t stretch_end = stretch_begin;
    while (stretch_end < end && in_run[stretch_end]) ++stretch_end;
    // One stretch: the kana before it must start the reading and the kana after it end it;
    // the stretch reads what lies between. That is the only split the search could find;
    // without it the matching kana at both ends are trimmed, as AlignReadingLoosely does.
    const std::size_t before = stretch_begin - begin;
    const std::size_t after = end - stretch_end;
    const std::size_t n = reading.size();
    std::size_t head = 0;
    while (head < before && head < n && KanaMatches(text[begin + head], reading[head])) ++head;
    std::size_t tail = 0;
    while (tail < after && head + tail < n &&
           KanaMatches(text[end - 1 - tail], reading[n - 1 - tail])) {
      ++tail;
    }
    // The search gives up on very long readings; those take the general path, and so do
    // words whose unmatched characters include a symbol that stands for sounds (〆切).
    const bool exact = head == before && tail == after && head + tail < n;
    const bool symbol = HasSoundSymbol(text, begin + head, stretch_begin) ||
                        HasSoundSymbol(text, stretch_end, end - tail);
    constexpr std::size_t kLongestDirectSplit = 4000;
    if (exact ? n - head - tail < kLongestDirectSplit : !symbol) {
      pieces.push_back({stretch_begin, stretch_end,
                        head + tail < n ? reading.substr(head, n - head - tail) : Text()});
      return;
    }
  }
  const std::vector<bool> flags(in_run.begin() + static_cast<std::ptrdiff_t>(begin),
                                in_run.begin() + static_cast<std::ptrdiff_t>(end));
  for (KanjiPiece& piece : AlignReadingLoosely(text.substr(begin, end - begin), flags, reading)) {
    piece.begin += begin;
    piece.end += begin;
    pieces.push_back(std::move(piece));
  }
}

}  // namespace yomika
