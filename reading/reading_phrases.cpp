#include "reading/reading_phrases.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "reading/reading_alignment.h"

namespace yomika {
namespace {

// A phrase is looked up over at most this many words and characters.
constexpr std::size_t kLongestPhraseWords = 4;
constexpr std::size_t kLongestPhrase = 12;

bool HoldsKanji(const std::vector<bool>& in_run, const Morpheme& word) {
  for (std::size_t i = word.begin; i < word.end; ++i) {
    if (in_run[i]) return true;
  }
  return false;
}

bool KanaOnly(const Text& text, const Morpheme& word) {
  for (std::size_t i = word.begin; i < word.end; ++i) {
    if (!IsKana(text[i])) return false;
  }
  return true;
}

// Words of kana and kanji only can be part of a phrase; symbols, digits and Latin letters not.
bool PhraseMaterial(const Text& text, const std::vector<bool>& in_run, const Morpheme& word) {
  for (std::size_t i = word.begin; i < word.end; ++i) {
    if (!in_run[i] && !IsKana(text[i])) return false;
  }
  return word.end > word.begin;
}

std::size_t KanjiCount(const std::vector<bool>& in_run, std::size_t begin, std::size_t end) {
  return static_cast<std::size_t>(std::count(in_run.begin() + static_cast<std::ptrdiff_t>(begin),
                                             in_run.begin() + static_cast<std::ptrdiff_t>(end),
                                             true));
}

// The reading of words [first, last) as analysed; empty when a word holding kanji has none.
Text AnalysedReading(const Text& text, const std::vector<bool>& in_run,
                     const std::vector<Morpheme>& words, std::size_t first, std::size_t last) {
  Text reading;
  for (std::size_t k = first; k < last; ++k) {
    const Morpheme& word = words[k];
    if (!word.reading.empty()) {
      reading += word.reading;
    } else if (HoldsKanji(in_run, word)) {
      return {};
    } else {
      reading += FoldToHiragana(text.substr(word.begin, word.end - word.begin));
    }
  }
  return reading;
}

// Whether `word` is a conjugated form other than its dictionary form (書い, not 書く).
bool Conjugated(const Text& text, const Morpheme& word) {
  return !word.base_form.empty() &&
         text.compare(word.begin, word.end - word.begin, word.base_form) != 0;
}

// An adjective cut to its bare kanji (悪 of 悪い): the analyser split a word it does not know
// (悪どい: 悪 + どい), so the kana after it are no conjugated word of their own.
bool BareAdjectiveStem(const Text& text, const std::vector<bool>& in_run, const Morpheme& word) {
  return word.part_of_speech.starts_with(U"形容詞") && Conjugated(text, word) &&
         in_run[word.end - 1];
}

// The pieces every one of `readings` gives `surface`, in text positions from `offset`;
// std::nullopt when one of them does not align.
std::optional<std::vector<KanjiPiece>> AgreedPieces(const Text& surface,
                                                    const std::vector<bool>& flags,
                                                    const std::vector<CompoundReading>& readings,
                                                    std::size_t offset) {
  std::optional<std::vector<KanjiPiece>> agreed;
  for (const CompoundReading& r : readings) {
    std::optional<std::vector<KanjiPiece>> pieces = AlignReading(surface, flags, r.reading);
    if (!pieces) return std::nullopt;
    if (!agreed) {
      agreed = std::move(pieces);
      continue;
    }
    std::erase_if(*agreed, [&pieces](const KanjiPiece& piece) {
      return std::find(pieces->begin(), pieces->end(), piece) == pieces->end();
    });
  }
  if (agreed) {
    for (KanjiPiece& piece : *agreed) {
      piece.begin += offset;
      piece.end += offset;
    }
  }
  return agreed;
}

// The reading of [begin, end) of `text`: kana as written, each kanji stretch read by the
// agreed piece over exactly it, else by the analysed pieces that cover it. std::nullopt when a
// stretch has no reading.
std::optional<Text> ComposeReading(const Text& text, const std::vector<bool>& in_run,
                                   std::size_t begin, std::size_t end,
                                   const std::vector<KanjiPiece>& agreed,
                                   const std::vector<KanjiPiece>& analysed) {
  Text reading;
  for (std::size_t i = begin; i < end;) {
    if (!in_run[i]) {
      reading += FoldToHiragana(text[i++]);
      continue;
    }
    std::size_t stretch_end = i;
    while (stretch_end < end && in_run[stretch_end]) ++stretch_end;
    const auto own = std::find_if(agreed.begin(), agreed.end(), [&](const KanjiPiece& p) {
      return p.begin == i && p.end == stretch_end;
    });
    if (own != agreed.end()) {
      reading += own->reading;
    } else {
      std::size_t covered = i;
      for (const KanjiPiece& piece : analysed) {
        if (piece.begin != covered || piece.end > stretch_end) continue;
        if (piece.reading.empty()) return std::nullopt;
        reading += piece.reading;
        covered = piece.end;
      }
      if (covered != stretch_end) return std::nullopt;
    }
    i = stretch_end;
  }
  return reading;
}

// The phrase reading of words [first, last), or std::nullopt to leave them as analysed.
// `found` tells whether the lexicon lists the phrase at all (so shorter ones are not tried).
std::optional<Text> ReadPhrase(const Text& text, const std::vector<bool>& in_run,
                               CompoundLexicon& lexicon, KanjidicReadings& kanjidic,
                               const std::vector<Morpheme>& words, std::size_t first,
                               std::size_t last, bool& found) {
  const std::size_t begin = words[first].begin;
  const std::size_t end = words[last - 1].end;
  // A phrase starts and ends where a kanji run does, not inside one (支配下に is no 下に).
  if ((begin > 0 && in_run[begin] && in_run[begin - 1]) ||
      (end < text.size() && in_run[end - 1] && in_run[end])) {
    return std::nullopt;
  }
  // Two characters (外に, 後に: as often the kanji and a particle) make no phrase.
  if (end - begin < 3) return std::nullopt;
  const Morpheme& tail = words[last - 1];
  // A conjugated phrase is looked up by its dictionary form and read in the form written. A
  // form ending in its kanji (来) changes the kanji's own reading, which the form does not show.
  const bool conjugated = Conjugated(text, tail) && !in_run[end - 1];
  const std::u32string_view written = std::u32string_view(text).substr(begin, end - begin);
  const bool may_be_written = lexicon.MayBePhrase(written);
  Text base;
  if (conjugated) base = text.substr(begin, tail.begin - begin) + tail.base_form;
  const bool may_be_base = conjugated && lexicon.MayBePhrase(base);
  if (!may_be_written && !may_be_base) return std::nullopt;
  const Text surface(written);
  std::vector<CompoundReading> readings;
  if (may_be_written) readings = lexicon.ReadingsOf(surface);
  const bool as_written = !readings.empty();
  if (!as_written && may_be_base) {
    for (CompoundReading& r : lexicon.ReadingsOf(base)) {
      if (std::optional<Text> form = ConjugateReading(surface, base, r.reading)) {
        r.reading = *std::move(form);
        readings.push_back(std::move(r));
      }
    }
  }
  found = !readings.empty();
  std::erase_if(readings, [](const CompoundReading& r) { return r.irregular; });
  if (readings.empty()) return std::nullopt;
  // A kana ending matched as written that the analyser took for a conjugated word (説明し
  // [ときあかし] is not 説明 し).
  if (as_written && Conjugated(text, tail) && KanaOnly(text, tail) &&
      !(last - first == 2 && BareAdjectiveStem(text, in_run, words[first]))) {
    return std::nullopt;
  }
  if (last - first == 2) {
    // A verb and its auxiliary alone are no phrase (歩こ う, not 歩こう ほこう).
    if (Conjugated(text, words[first]) && words[first + 1].part_of_speech.starts_with(U"助動詞")) {
      return std::nullopt;
    }
    // その方, この辺: the parts read on their own as often as the phrase does, unless the phrase
    // is common or used as its entry says, a noun modifying with の (ある種の: あるしゅ).
    const bool common = std::any_of(readings.begin(), readings.end(),
                                    [](const CompoundReading& r) { return r.common; });
    const bool takes_no = end < text.size() && text[end] == U'の' &&
                          std::all_of(readings.begin(), readings.end(),
                                      [](const CompoundReading& r) { return r.takes_no; });
    if (words[first].part_of_speech.starts_with(U"連体詞") && KanjiCount(in_run, begin, end) == 1 &&
        !common && !takes_no) {
      return std::nullopt;
    }
  }
  const Text analysed = AnalysedReading(text, in_run, words, first, last);
  std::vector<CompoundReading> chosen;
  for (const CompoundReading& r : readings) {
    if (r.common) chosen.push_back(r);
  }
  const Text folded = FoldToHiragana(analysed);
  for (const CompoundReading& r : readings) {
    if (r.reading == folded && (r.common || chosen.size() != 1)) return std::nullopt;
  }
  if (chosen.size() != 1) chosen = readings;

  const std::vector<bool> flags(in_run.begin() + static_cast<std::ptrdiff_t>(begin),
                                in_run.begin() + static_cast<std::ptrdiff_t>(end));
  const std::optional<std::vector<KanjiPiece>> agreed =
      AgreedPieces(surface, flags, chosen, begin);
  if (!agreed) return std::nullopt;
  std::vector<KanjiPiece> pieces;
  for (std::size_t k = first; k < last; ++k) {
    AppendAlignedPieces(text, in_run, words[k].begin, words[k].end, words[k].reading, pieces);
  }
  bool changed = false;
  for (const KanjiPiece& piece : *agreed) {
    if (std::find(pieces.begin(), pieces.end(), piece) != pieces.end()) continue;
    changed = true;
    if (piece.end - piece.begin != 1) continue;
    const std::vector<Text> known = kanjidic.AllReadingsOf(text[piece.begin]);
    if (!known.empty() && !IsKanjiReading(known, piece.reading)) return std::nullopt;
  }
  if (!changed) return std::nullopt;
  return ComposeReading(text, in_run, begin, end, *agreed, pieces);
}

}  // namespace

bool IsKanjiReading(const std::vector<Text>& readings, const Text& reading) {
  static constexpr char32_t kVoicing[] = U"かきくけこさしすせそたちつてとはひふへほ";
  for (const Text& known : readings) {
    if (known.empty()) continue;
    if (known == reading) return true;
    if (known.size() == reading.size() && known.substr(1) == reading.substr(1)) {
      // A voiced first sound: が after か, ば or ぱ after は.
      const char32_t plain = known.front();
      const char32_t changed = reading.front();
      for (const char32_t* p = kVoicing; *p; ++p) {
        if (*p != plain) continue;
        if (changed == plain + 1) return true;
        if (p - kVoicing >= 15 && changed == plain + 2) return true;
      }
    }
    // A last つ, ち, く or き turned into っ (学 がく → がっ).
    const char32_t last = known.back();
    if ((last == U'つ' || last == U'ち' || last == U'く' || last == U'き') &&
        reading.size() == known.size() && reading.back() == U'っ' &&
        reading.compare(0, known.size() - 1, known, 0, known.size() - 1) == 0) {
      return true;
    }
  }
  return false;
}

void ApplyPhraseReadings(const Text& text, const std::vector<bool>& in_run,
                         const std::vector<std::size_t>& boundaries, CompoundLexicon& lexicon,
                         KanjidicReadings& kanjidic, std::vector<Morpheme>& words) {
  if (in_run.size() != text.size() || !lexicon.Available()) return;
  const auto forced = [&boundaries](std::size_t position) {
    return std::find(boundaries.begin(), boundaries.end(), position) != boundaries.end();
  };
  // What each word can be in a phrase, worked out once.
  struct Part {
    bool kanji = false;
    bool kana_only = false;
    bool material = false;
  };
  std::vector<Part> parts(words.size());
  for (std::size_t k = 0; k < words.size(); ++k) {
    Part& part = parts[k];
    part.material = PhraseMaterial(text, in_run, words[k]);
    if (!part.material) continue;
    part.kanji = HoldsKanji(in_run, words[k]);
    part.kana_only = KanaOnly(text, words[k]);
  }
  // Words are moved down over the ones joined into a phrase, so the pass stays linear.
  std::size_t kept = 0;
  for (std::size_t i = 0; i < words.size();) {
    std::size_t next = i + 1;
    // Phrases begin with a content word, not with a particle, an auxiliary or a symbol, and
    // most places begin none: known from the first three characters.
    bool may_begin = parts[i].material && !words[i].part_of_speech.starts_with(U"助詞") &&
                     !words[i].part_of_speech.starts_with(U"助動詞");
    if (may_begin) {
      may_begin = lexicon.MayBeginPhrase(std::u32string_view(text).substr(words[i].begin, 3));
    }
    std::size_t limit = i;
    if (may_begin) {
      bool kanji = false;
      bool kana_word = false;
      while (limit < words.size() && limit - i < kLongestPhraseWords &&
             words[limit].end - words[i].begin <= kLongestPhrase && parts[limit].material &&
             (limit == i || !forced(words[limit].begin))) {
        kanji = kanji || parts[limit].kanji;
        kana_word = kana_word || parts[limit].kana_only;
        ++limit;
      }
      may_begin = kanji && kana_word && limit - i >= 2;
    }
    for (std::size_t last = limit; may_begin && last >= i + 2; --last) {
      bool any_kanji = false;
      bool any_kana_word = false;
      for (std::size_t k = i; k < last; ++k) {
        any_kanji = any_kanji || parts[k].kanji;
        any_kana_word = any_kana_word || parts[k].kana_only;
      }
      if (!any_kanji || !any_kana_word) continue;
      bool found = false;
      const std::optional<Text> reading =
          ReadPhrase(text, in_run, lexicon, kanjidic, words, i, last, found);
      if (!found) continue;
      if (reading) {
        Morpheme joined = words[i];
        joined.end = words[last - 1].end;
        joined.reading = *reading;
        joined.known = true;
        joined.base_form.clear();
        words[kept++] = std::move(joined);
        next = last;
      }
      break;
    }
    if (next == i + 1) {
      if (kept != i) words[kept] = std::move(words[i]);
      ++kept;
    }
    i = next;
  }
  words.resize(kept);
}

}  // namespace yomika
