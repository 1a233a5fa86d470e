#include "reading/reading_compounds.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>

#include "encoding/cp932.h"
#include "reading/reading_alignment.h"

namespace yomika {
namespace {

// A compound is looked up over at most this many words and characters; longer headwords are
// set phrases the analyser splits correctly anyway.
constexpr std::size_t kLongestCompoundWords = 5;
constexpr std::size_t kLongestCompound = 12;
// Entries per group of the lexicon's hash indexes, on average.
constexpr std::size_t kEntriesPerGroup = 4;

// EUC-JP lead bytes of the JIS X 0208 kanji rows (16–84): the headwords worth keeping.
bool IsEucKanjiLead(unsigned char b) { return b >= 0xB0 && b <= 0xF4; }

// EUC-JP lead bytes of hiragana and katakana: a headword may start with kana (とんぼ返り).
bool IsEucKanaLead(unsigned char b) { return b == 0xA4 || b == 0xA5; }

// Two-byte JIS X 0208 characters only: a byte count of half as many characters.
bool AllTwoByte(std::string_view bytes) {
  if (bytes.size() % 2 != 0) return false;
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) < 0xA1 || static_cast<unsigned char>(c) == 0xFF) {
      return false;
    }
  }
  return true;
}

// FNV-1a: spreads headwords and endings evenly over the groups of the indexes.
std::uint32_t HashBytes(std::string_view bytes) {
  std::uint32_t hash = 2166136261u;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  return hash;
}

// A slot of the headword filter: the high bits of the hash, which the groups (low bits) do not
// use. Eight slots per entry keep false hits rare.
constexpr int kHeadwordBits = 21;
std::size_t HeadwordSlot(std::string_view headword) {
  return HashBytes(headword) >> (32 - kHeadwordBits);
}

// The last two characters (4 bytes) of a headword of two or more.
std::string_view Ending(std::string_view headword) { return headword.substr(headword.size() - 4); }

// A power of two near count / per_group, at least 1. Groups of several entries keep the
// group starts small enough to stay in the cache while they are counted.
std::size_t GroupCount(std::size_t count, std::size_t per_group) {
  return std::bit_ceil(std::max<std::size_t>(count / per_group, 1));
}

// Items 0 … n-1 of `group_of` (each below `groups`) grouped, in item order within a group;
// `starts` gets where each group begins in the result (groups + 1 values). A counting sort:
// no comparisons, two passes.
std::vector<std::uint32_t> GroupItems(const std::vector<std::uint32_t>& group_of,
                                      std::size_t groups, std::vector<std::uint32_t>& starts) {
  starts.assign(groups + 1, 0);
  for (const std::uint32_t g : group_of) ++starts[g + 1];
  for (std::size_t g = 0; g < groups; ++g) starts[g + 1] += starts[g];
  std::vector<std::uint32_t> fill(starts.begin(), starts.end() - 1);
  std::vector<std::uint32_t> order(group_of.size());
  for (std::size_t k = 0; k < group_of.size(); ++k) {
    order[fill[group_of[k]]++] = static_cast<std::uint32_t>(k);
  }
  return order;
}

// EUC-JP readings are nearly always kana, whose JIS X 0208 rows map to Unicode in order; they
// need no converter. std::nullopt for anything else.
std::optional<Text> DecodeKana(std::string_view bytes) {
  Text out;
  out.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const auto trail = static_cast<unsigned char>(bytes[i + 1]);
    if (lead == 0xA4 && trail >= 0xA1 && trail <= 0xF3) {
      out += static_cast<char32_t>(U'ぁ' + (trail - 0xA1));
    } else if (lead == 0xA5 && trail >= 0xA1 && trail <= 0xF6) {
      out += static_cast<char32_t>(U'ァ' + (trail - 0xA1));
    } else if (lead == 0xA1 && trail == 0xBC) {
      out += U'ー';
    } else {
      return std::nullopt;
    }
  }
  if (bytes.size() % 2 != 0) return std::nullopt;
  return out;
}

// Levenshtein distance: the fewest kana inserted, removed or exchanged.
std::size_t EditDistance(const Text& a, const Text& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

bool AllKana(const Text& text, std::size_t from) {
  for (std::size_t i = from; i < text.size(); ++i) {
    if (!IsKana(text[i])) return false;
  }
  return true;
}

bool HoldsKanji(const std::vector<bool>& in_run, const Morpheme& word) {
  for (std::size_t i = word.begin; i < word.end; ++i) {
    if (in_run[i]) return true;
  }
  return false;
}

Text ReadingOfWords(const std::vector<Morpheme>& words, std::size_t first, std::size_t last) {
  Text reading;
  for (std::size_t k = first; k < last; ++k) reading += words[k].reading;
  return reading;
}

// A content noun that can be the first part of a compound; adverbial nouns (一番), pronouns,
// numbers and suffixes are not.
bool IsCompoundingNoun(const Morpheme& word) {
  for (const char32_t* kind :
       {U"名詞,一般", U"名詞,サ変接続", U"名詞,固有名詞", U"名詞,形容動詞語幹"}) {
    if (word.part_of_speech.starts_with(kind)) return true;
  }
  return false;
}

// Whether `chosen`, the compound reading of words [first, last), nouns (no suffixes) of two or
// more characters each, differs from their analysed readings in one word only, and the
// lexicon lists that word's analysed reading as well as the one `chosen` gives it: the
// compound of whole words then only spells the word another listed way (日本経済:
// にほんけいざい; 日本 にっぽん is listed too), which is no correction of the analysis.
// Compounds with a one-character part or another word class are more often read as a whole
// (一文無し: いちもんなし, though 一文 いちぶん is listed).
bool OnlyAnotherListedVariant(const Text& text, CompoundLexicon& lexicon,
                              const std::vector<Morpheme>& words, std::size_t first,
                              std::size_t last, const Text& chosen) {
  for (std::size_t k = first; k < last; ++k) {
    const std::u32string_view pos = words[k].part_of_speech;
    if (words[k].end - words[k].begin < 2 || !pos.starts_with(U"名詞") ||
        pos.starts_with(U"名詞,接尾")) {
      return false;
    }
  }
  for (std::size_t k = first; k < last; ++k) {
    const Morpheme& word = words[k];
    const Text before = FoldToHiragana(ReadingOfWords(words, first, k));
    const Text after = FoldToHiragana(ReadingOfWords(words, k + 1, last));
    if (chosen.size() <= before.size() + after.size() || !chosen.starts_with(before) ||
        !chosen.ends_with(after)) {
      continue;
    }
    const Text variant = chosen.substr(before.size(), chosen.size() - before.size() - after.size());
    const std::u32string_view surface =
        std::u32string_view(text).substr(word.begin, word.end - word.begin);
    if (variant != FoldToHiragana(word.reading) &&
        lexicon.ListsReading(surface, word.reading) == true &&
        lexicon.ListsReading(surface, variant) == true) {
      return true;
    }
  }
  return false;
}

// Voices the first sound of `word`, the second part of a compound no headword lists, when
// the lexicon's compounds that end in it mostly do.
void VoiceCompoundTail(const Text& text, CompoundLexicon& lexicon, Morpheme& word) {
  if (!word.known || word.reading.empty() || word.part_of_speech.starts_with(U"動詞")) return;
  const Text surface = text.substr(word.begin, word.end - word.begin);
  std::optional<bool> voices = lexicon.VoicesTail(surface, word.reading);
  if (!voices && !word.base_form.empty() && word.base_form != surface) {
    // A conjugated word (強く) is counted by its dictionary form (強い).
    if (const std::optional<Text> base_reading =
            ConjugateReading(word.base_form, surface, word.reading)) {
      voices = lexicon.VoicesTail(word.base_form, *base_reading);
    }
  }
  if (!voices.value_or(false)) return;
  if (std::optional<Text> voiced = VoiceFirstSound(word.reading)) word.reading = *voiced;
}

bool Lists(const std::vector<CompoundReading>& readings, const Text& reading) {
  return std::any_of(readings.begin(), readings.end(),
                     [&reading](const CompoundReading& r) { return r.reading == reading; });
}

// The reading of words [first, last) with the last word's first sound voiced, when the
// compound's `readings` list it beside the plain analysed one (回転寿司: かいてんすし and
// かいてんずし) and the lexicon's compounds ending in that word mostly voice it.
std::optional<Text> VoicedWhereListedBoth(const Text& text, CompoundLexicon& lexicon,
                                          const std::vector<CompoundReading>& readings,
                                          const std::vector<Morpheme>& words, std::size_t first,
                                          std::size_t last) {
  const Morpheme& tail = words[last - 1];
  const std::optional<Text> voiced = VoiceFirstSound(tail.reading);
  if (!voiced) return std::nullopt;
  const Text start = FoldToHiragana(ReadingOfWords(words, first, last - 1));
  const Text with_voiced = start + *voiced;
  if (!Lists(readings, start + FoldToHiragana(tail.reading)) || !Lists(readings, with_voiced)) {
    return std::nullopt;
  }
  const Text surface = text.substr(tail.begin, tail.end - tail.begin);
  if (!lexicon.VoicesTail(surface, tail.reading).value_or(false)) return std::nullopt;
  return with_voiced;
}

// Whether the comma-separated `marks` (n,adj-no,vs) hold `part`.
bool HasPart(std::string_view marks, std::string_view part) {
  while (!marks.empty()) {
    const std::size_t comma = marks.find(',');
    if (marks.substr(0, comma) == part) return true;
    if (comma == std::string_view::npos) break;
    marks.remove_prefix(comma + 1);
  }
  return false;
}

// EUC-JP bytes of the hiragana a writer may leave out of a compound: not the particles の が
// を は へ や, which stand between words.
bool IsOmissibleKana(std::string_view two_bytes) {
  if (static_cast<unsigned char>(two_bytes[0]) != 0xA4) return false;
  static constexpr unsigned char kParticles[] = {0xCE, 0xAC, 0xF2, 0xCF, 0xD8, 0xE4};
  return std::find(std::begin(kParticles), std::end(kParticles),
                   static_cast<unsigned char>(two_bytes[1])) == std::end(kParticles);
}

// The hash (HashBytes) of `headword` (EUC-JP) without its hiragana when it is two or more
// kanji with one to three hiragana a writer may leave out among or after them (取り扱い: the
// hash of 取扱); std::nullopt otherwise.
std::optional<std::uint32_t> BareHash(std::string_view headword) {
  constexpr int kMostLeftOut = 3;
  std::uint32_t hash = 2166136261u;
  int kanji = 0;
  int kana = 0;
  for (std::size_t at = 0; at + 1 < headword.size(); at += 2) {
    const std::string_view c = headword.substr(at, 2);
    if (IsEucKanjiLead(static_cast<unsigned char>(c[0]))) {
      for (const char byte : c) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 16777619u;
      }
      ++kanji;
    } else if (at == 0 || !IsOmissibleKana(c) || ++kana > kMostLeftOut) {
      return std::nullopt;
    }
  }
  if (kana == 0 || kanji < 2) return std::nullopt;
  return hash;
}

// Whether `headword`'s kanji, its kana skipped, are `kanji` (both EUC-JP): BareHeadword's test
// without building the string.
bool KanjiAre(std::string_view headword, std::string_view kanji) {
  std::size_t matched = 0;
  for (std::size_t at = 0; at + 1 < headword.size(); at += 2) {
    if (!IsEucKanjiLead(static_cast<unsigned char>(headword[at]))) continue;
    if (headword.compare(at, 2, kanji, matched, 2) != 0) return false;
    matched += 2;
  }
  return matched == kanji.size();
}

}  // namespace

std::optional<Text> VoiceFirstSound(const Text& reading) {
  if (reading.empty()) return std::nullopt;
  // In the kana block each voiced sound follows its plain one (か が, は ば ぱ).
  static constexpr char32_t kPlain[] = U"かきくけこさしすせそたちつてとはひふへほ";
  const char32_t first = FoldToHiragana(reading.front());
  for (const char32_t* p = kPlain; *p; ++p) {
    if (*p == first) {
      Text voiced = reading;
      voiced.front() = first + 1;
      return voiced;
    }
  }
  return std::nullopt;
}

std::optional<EdictLine> SplitEdictLine(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  if (line.empty()) return std::nullopt;
  if (!IsEucKanjiLead(static_cast<unsigned char>(line.front()))) {
    // A headword that starts with kana counts only when a kanji follows (most are loanwords).
    if (!IsEucKanaLead(static_cast<unsigned char>(line.front()))) return std::nullopt;
    std::size_t at = 0;
    while (at + 1 < line.size() && static_cast<unsigned char>(line[at]) >= 0xA1 &&
           !IsEucKanjiLead(static_cast<unsigned char>(line[at]))) {
      at += 2;
    }
    if (at + 1 >= line.size() || !IsEucKanjiLead(static_cast<unsigned char>(line[at]))) {
      return std::nullopt;
    }
  }
  const std::size_t open = line.find(" [");
  if (open == std::string_view::npos) return std::nullopt;
  const std::size_t close = line.find("] /", open + 2);
  if (close == std::string_view::npos) return std::nullopt;
  EdictLine out;
  out.headword = line.substr(0, open);
  out.reading = line.substr(open + 2, close - open - 2);
  if (out.headword.empty() || out.reading.empty() || !AllTwoByte(out.headword) ||
      !AllTwoByte(out.reading)) {
    return std::nullopt;
  }
  out.common = line.ends_with("/(P)/");
  // The marks of the entry and its first sense stand in parentheses before the first gloss.
  // Only headwords with kana among their kanji are read as phrases; of the others' marks only
  // the part of speech (adj-no) is of use.
  bool kana = false;
  for (std::size_t i = 0; i + 1 < out.headword.size() && !kana; i += 2) {
    kana = IsEucKanaLead(static_cast<unsigned char>(out.headword[i]));
  }
  const std::string_view glosses = line.substr(close + 3);
  for (std::size_t at = 0; at < glosses.size() && glosses[at] == '(';) {
    const std::size_t end = glosses.find(')', at);
    if (end == std::string_view::npos) break;
    const std::string_view mark = glosses.substr(at + 1, end - at - 1);
    at = end + 1;
    while (at < glosses.size() && glosses[at] == ' ') ++at;
    if (!kana) {
      // Most headwords are no phrases: only the part of speech matters, read quickly.
      out.takes_no = out.takes_no ||
                     (mark.find("adj-no") != std::string_view::npos && HasPart(mark, "adj-no"));
    } else if (HasPart(mark, "adj-no")) {
      out.takes_no = true;
    } else if (mark == "uk") {
      out.usually_kana = true;
    } else if (mark == "arch" || mark == "ok" || mark == "oK" || mark == "io" || mark == "iK" ||
               mark == "ik" || mark == "ateji" || mark == "int" || mark == "conj") {
      out.irregular = true;
    }
  }
  return out;
}

CompoundLexicon::CompoundLexicon(QString path) : path_(std::move(path)) {}

std::string_view CompoundLexicon::HeadwordOf(const Entry& entry) const {
  return std::string_view(pool_).substr(entry.offset, entry.headword_length);
}

Text CompoundLexicon::ReadingOf(const Entry& entry) {
  const std::string_view bytes =
      std::string_view(pool_).substr(entry.offset + entry.headword_length, entry.reading_length);
  if (std::optional<Text> kana = DecodeKana(bytes)) return FoldToHiragana(*kana);
  const QString reading =
      decoder_(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (decoder_.hasError()) {
    decoder_.resetState();
    return {};
  }
  return FoldToHiragana(ToText(reading));
}

std::optional<std::string> CompoundLexicon::Encode(std::u32string_view text) {
  // Through the Shift_JIS code: the two share the JIS X 0208 rows, so no converter is needed
  // for the many lookups of a conversion.
  std::string out;
  out.reserve(2 * text.size());
  for (const char32_t c : text) {
    const std::optional<std::uint16_t> code = cp932::CodeOf(c);
    if (!code || *code < 0x8140) return std::nullopt;
    const int lead = *code >> 8;
    const int trail = *code & 0xFF;
    if (lead > 0xEA || (lead > 0x9F && lead < 0xE0)) return std::nullopt;
    int row = 2 * (lead < 0xA0 ? lead - 0x81 : lead - 0xC1) + 0x21;
    int cell = 0;
    if (trail >= 0x9F) {
      ++row;
      cell = trail - 0x7E;
    } else {
      cell = trail - (trail >= 0x80 ? 0x20 : 0x1F);
    }
    out += static_cast<char>(row | 0x80);
    out += static_cast<char>(cell | 0x80);
  }
  return out;
}

std::vector<CompoundReading> CompoundLexicon::ReadingsOf(const Text& headword) {
  if (headword.size() < 2) return {};
  const std::optional<std::string> key = Encode(headword);
  if (!key) return {};
  return ReadingsOfEncoded(*key);
}

std::vector<CompoundReading> CompoundLexicon::ReadingsWithoutKana(const Text& written,
                                                                  char32_t next) {
  std::vector<CompoundReading> readings;
  const std::optional<std::string> key = Encode(written);
  if (!key || key->size() < 4) return readings;
  PreparePhrases();
  if (bare_buckets_.empty()) return readings;
  const std::optional<std::string> after = Encode(std::u32string_view(&next, 1));
  const std::uint32_t hash = HashBytes(*key);
  if (!bare_headwords_[hash >> (32 - kHeadwordBits)]) return readings;
  const std::size_t group = hash & (bare_buckets_.size() - 2);
  for (std::uint32_t k = bare_buckets_[group]; k < bare_buckets_[group + 1]; ++k) {
    const Entry& entry = entries_[by_bare_[k]];
    const std::string_view head = HeadwordOf(entry);
    if (!KanjiAre(head, *key)) continue;
    // The kana after the last kanji, if any, must be missing from the text too.
    std::size_t tail = head.size();
    while (tail >= 2 && !IsEucKanjiLead(static_cast<unsigned char>(head[tail - 2]))) tail -= 2;
    if (tail < head.size() && after && head.substr(tail).starts_with(*after)) continue;
    CompoundReading reading = ReadingWithMarks(entry);
    if (!reading.reading.empty()) readings.push_back(std::move(reading));
  }
  return readings;
}

void CompoundLexicon::IndexBareHeadwords() {
  std::vector<std::uint32_t> kept;
  std::vector<std::uint32_t> hashes;
  bare_headwords_.assign(std::size_t{1} << kHeadwordBits, false);
  for (std::uint32_t k = 0; k < entries_.size(); ++k) {
    const std::optional<std::uint32_t> hash = BareHash(HeadwordOf(entries_[k]));
    if (!hash) continue;
    kept.push_back(k);
    hashes.push_back(*hash);
    bare_headwords_[*hash >> (32 - kHeadwordBits)] = true;
  }
  const std::size_t groups = GroupCount(kept.size(), kEntriesPerGroup);
  std::vector<std::uint32_t> group_of;
  group_of.reserve(kept.size());
  for (const std::uint32_t hash : hashes) {
    group_of.push_back(static_cast<std::uint32_t>(hash & (groups - 1)));
  }
  by_bare_ = GroupItems(group_of, groups, bare_buckets_);
  for (std::uint32_t& item : by_bare_) item = kept[item];
}

std::vector<CompoundReading> CompoundLexicon::ReadingsOfEncoded(std::string_view wanted) {
  LoadOnce();
  std::vector<CompoundReading> readings;
  if (entries_.empty() || wanted.size() < 4 || !headwords_[HeadwordSlot(wanted)]) return readings;
  const std::size_t group = HashBytes(wanted) & (headword_buckets_.size() - 2);
  for (std::uint32_t k = headword_buckets_[group]; k < headword_buckets_[group + 1]; ++k) {
    const Entry& entry = entries_[by_headword_[k]];
    if (HeadwordOf(entry) != wanted) continue;
    CompoundReading reading = ReadingWithMarks(entry);
    if (!reading.reading.empty()) readings.push_back(std::move(reading));
  }
  return readings;
}

std::optional<bool> CompoundLexicon::ListsReading(std::u32string_view headword,
                                                  const Text& reading) {
  // A text asks about the same words again and again: the answers are kept by a hash of the
  // question (64 bits: a clash among the questions of a text is not to be expected).
  std::uint64_t question = 14695981039346656037ull;
  const auto mix = [&question](char32_t c) {
    question ^= c;
    question *= 1099511628211ull;
  };
  for (const char32_t c : headword) mix(c);
  mix(U'\t');
  for (const char32_t c : reading) mix(FoldToHiragana(c));
  if (const auto known = listed_answers_.find(question); known != listed_answers_.end()) {
    return known->second;
  }
  constexpr std::size_t kMostAnswers = std::size_t{1} << 16;
  if (listed_answers_.size() >= kMostAnswers) listed_answers_.clear();
  const std::optional<bool> answer = ListsReadingUncached(headword, reading);
  listed_answers_.emplace(question, answer);
  return answer;
}

std::optional<bool> CompoundLexicon::ListsReadingUncached(std::u32string_view headword,
                                                          const Text& reading) {
  const std::optional<std::string> key = Encode(headword);
  const std::optional<std::string> wanted_reading = Encode(FoldToHiragana(Text(reading)));
  LoadOnce();
  if (!key || !wanted_reading || key->size() < 4 || entries_.empty() ||
      !headwords_[HeadwordSlot(*key)]) {
    return std::nullopt;
  }
  // Katakana (row 5 of JIS X 0208) compare as the hiragana of the same cell (row 4).
  const auto folded = [](std::string_view bytes, std::size_t i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    return i % 2 == 0 && b == 0xA5 && static_cast<unsigned char>(bytes[i + 1]) <= 0xF3
               ? static_cast<unsigned char>(0xA4)
               : b;
  };
  std::optional<bool> lists;
  const std::size_t group = HashBytes(*key) & (headword_buckets_.size() - 2);
  for (std::uint32_t k = headword_buckets_[group]; k < headword_buckets_[group + 1]; ++k) {
    const Entry& entry = entries_[by_headword_[k]];
    if (HeadwordOf(entry) != *key) continue;
    const std::string_view listed = std::string_view(pool_).substr(
        entry.offset + entry.headword_length, entry.reading_length);
    bool same = listed.size() == wanted_reading->size();
    for (std::size_t i = 0; same && i < listed.size(); ++i) {
      same = folded(listed, i) == folded(*wanted_reading, i);
    }
    if (same) return true;
    lists = false;
  }
  return lists;
}

namespace {

constexpr int kPhraseBits = 21;
constexpr std::size_t kPhraseBeginning = 3;  // characters

// A slot of the phrase filters: a hash of the characters.
std::size_t PhraseSlot(std::u32string_view characters) {
  std::uint32_t hash = 2166136261u;
  for (const char32_t c : characters) {
    hash ^= static_cast<std::uint32_t>(c);
    hash *= 16777619u;
  }
  return hash >> (32 - kPhraseBits);
}

}  // namespace

void CompoundLexicon::IndexPhrases() {
  // The JIS X 0208 characters by row and cell, from the code page's table: decoding the
  // phrases' headwords needs no converter.
  std::vector<char32_t> by_code(94 * 94, 0);
  for (char32_t c = 0x3000; c < 0x10000; ++c) {
    const std::optional<std::string> code = Encode(std::u32string_view(&c, 1));
    if (!code) continue;
    const std::size_t index = (static_cast<unsigned char>((*code)[0]) - 0xA1) * 94 +
                              (static_cast<unsigned char>((*code)[1]) - 0xA1);
    if (index < by_code.size() && by_code[index] == 0) by_code[index] = c;
  }
  phrase_beginnings_.assign(std::size_t{1} << kPhraseBits, false);
  phrases_.assign(std::size_t{1} << kPhraseBits, false);
  Text headword;
  for (const Entry& entry : entries_) {
    const std::string_view head = HeadwordOf(entry);
    if (head.size() < 2 * kPhraseBeginning) continue;
    bool kana = false;
    for (std::size_t i = 0; i + 1 < head.size() && !kana; i += 2) {
      kana = IsEucKanaLead(static_cast<unsigned char>(head[i]));
    }
    if (!kana) continue;
    headword.clear();
    for (std::size_t i = 0; i + 1 < head.size(); i += 2) {
      const std::size_t index = (static_cast<unsigned char>(head[i]) - 0xA1) * 94 +
                                (static_cast<unsigned char>(head[i + 1]) - 0xA1);
      headword += index < by_code.size() ? by_code[index] : char32_t{0};
    }
    phrases_[PhraseSlot(headword)] = true;
    phrase_beginnings_[PhraseSlot(std::u32string_view(headword).substr(0, kPhraseBeginning))] =
        true;
    // A phrase whose third character begins its last kana ending (後にする) is written with
    // another kana there when it conjugates (後にし): its first two characters count too.
    bool kana_ending = true;
    for (std::size_t i = 4; i + 1 < head.size() && kana_ending; i += 2) {
      kana_ending = static_cast<unsigned char>(head[i]) == 0xA4;
    }
    if (kana_ending) phrase_beginnings_[PhraseSlot(std::u32string_view(headword).substr(0, 2))] = true;
  }
}

bool CompoundLexicon::MayBeginPhrase(std::u32string_view start) {
  if (start.size() < kPhraseBeginning) return false;
  PreparePhrases();
  if (phrases_.empty()) return false;
  if (phrase_beginnings_[PhraseSlot(start.substr(0, kPhraseBeginning))]) return true;
  const bool hiragana_third = start[2] >= U'ぁ' && start[2] <= U'ゖ';
  return hiragana_third && phrase_beginnings_[PhraseSlot(start.substr(0, 2))];
}

void CompoundLexicon::PreparePhrases() {
  LoadOnce();
  if (phrases_.empty() && !entries_.empty()) IndexPhrases();
  if (bare_buckets_.empty() && !entries_.empty()) IndexBareHeadwords();
}

bool CompoundLexicon::MayBePhrase(std::u32string_view headword) {
  PreparePhrases();
  return !phrases_.empty() && phrases_[PhraseSlot(headword)];
}

CompoundReading CompoundLexicon::ReadingWithMarks(const Entry& entry) {
  return {ReadingOf(entry), entry.common, (entry.marks & kIrregular) != 0,
          (entry.marks & kUsuallyKana) != 0, (entry.marks & kTakesNo) != 0};
}

void CompoundLexicon::ForEachEntry(
    const std::function<bool(std::string_view)>& wanted,
    const std::function<void(const Text&, const CompoundReading&)>& visit) {
  LoadOnce();
  for (const Entry& entry : entries_) {
    const std::string_view head = HeadwordOf(entry);
    if (!wanted(head)) continue;
    const QString decoded =
        decoder_(QByteArrayView(head.data(), static_cast<qsizetype>(head.size())));
    if (decoder_.hasError()) {
      decoder_.resetState();
      continue;
    }
    const CompoundReading reading = ReadingWithMarks(entry);
    if (!reading.reading.empty()) visit(ToText(decoded), reading);
  }
}

std::optional<bool> CompoundLexicon::VoicesTail(const Text& tail, const Text& tail_reading) {
  if (tail.size() < 2 || tail_reading.empty()) return std::nullopt;
  const Text cache_key = tail + U'\t' + tail_reading;
  if (const auto cached = voicing_cache_.find(cache_key); cached != voicing_cache_.end()) {
    return cached->second;
  }
  LoadOnce();
  if (ending_buckets_.empty() && !entries_.empty()) IndexEndings();
  std::optional<bool> verdict;
  const std::optional<std::string> encoded = Encode(tail);
  const Text plain = FoldToHiragana(tail_reading);
  const std::optional<Text> voiced = VoiceFirstSound(plain);
  if (encoded && voiced && !ending_buckets_.empty()) {
    const std::string_view wanted = *encoded;
    const std::size_t group = HashBytes(Ending(wanted)) & (ending_buckets_.size() - 2);
    int plain_count = 0;
    int voiced_count = 0;
    for (std::uint32_t k = ending_buckets_[group]; k < ending_buckets_[group + 1]; ++k) {
      const Entry& entry = entries_[by_ending_[k]];
      const std::string_view head = HeadwordOf(entry);
      if (head.size() <= wanted.size() || !head.ends_with(wanted)) continue;
      const Text reading = ReadingOf(entry);
      if (reading.size() <= plain.size()) continue;
      const Text end = reading.substr(reading.size() - plain.size());
      if (end == plain) ++plain_count;
      if (end == *voiced) ++voiced_count;
    }
    // Three in four of several compounds; a word voiced only in some compounds stays plain.
    constexpr int kFewestCompounds = 3;
    if (voiced_count + plain_count >= kFewestCompounds) {
      verdict = voiced_count >= 3 * plain_count;
    }
  }
  voicing_cache_.emplace(cache_key, verdict);
  return verdict;
}

bool CompoundLexicon::Available() {
  LoadOnce();
  return !entries_.empty();
}

void CompoundLexicon::AddEntry(std::string_view line) {
  const std::optional<EdictLine> entry = SplitEdictLine(line);
  if (!entry || entry->headword.size() < 4 || entry->headword.size() > 2 * kLongestCompound ||
      entry->reading.size() > std::numeric_limits<std::uint8_t>::max() ||
      pool_.size() > std::numeric_limits<std::uint32_t>::max() / 2) {
    return;
  }
  entries_.push_back({static_cast<std::uint32_t>(pool_.size()),
                      static_cast<std::uint8_t>(entry->headword.size()),
                      static_cast<std::uint8_t>(entry->reading.size()), entry->common,
                      static_cast<std::uint8_t>((entry->irregular ? kIrregular : 0) |
                                                (entry->usually_kana ? kUsuallyKana : 0) |
                                                (entry->takes_no ? kTakesNo : 0))});
  pool_ += entry->headword;
  pool_ += entry->reading;
}

void CompoundLexicon::LoadOnce() {
  if (loaded_) return;
  loaded_ = true;
  if (path_.isEmpty() || !decoder_.isValid()) return;
  QFile file(path_);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return;
  // Line by line, keeping only the kanji headwords as raw bytes: the file is large and mostly
  // English glosses, and decoding is left to the few entries a text asks for.
  // About a sixth of the file is kanji headwords and readings, one entry per 105 bytes; the
  // room reserved beyond that is never touched, so it costs address space only.
  pool_.reserve(static_cast<std::size_t>(file.size() / 4));
  entries_.reserve(static_cast<std::size_t>(file.size() / 64));
  // Small chunks stay in the cache while their lines are split.
  constexpr std::size_t kChunk = 1 << 18;
  std::string buffer(2 * kChunk, '\0');
  std::size_t kept = 0;  // bytes of an unfinished line at the start of the buffer
  for (;;) {
    if (buffer.size() < kept + kChunk) buffer.resize(kept + kChunk);
    const qint64 got = file.read(buffer.data() + kept, static_cast<qint64>(kChunk));
    if (got < 0) break;
    const std::size_t filled = kept + static_cast<std::size_t>(got);
    const bool last_chunk = got == 0;
    const std::string_view bytes(buffer.data(), filled);
    std::size_t at = 0;
    while (at < filled) {
      std::size_t end = bytes.find('\n', at);
      if (end == std::string_view::npos) {
        if (!last_chunk) break;
        end = filled;
      }
      if (at < end) AddEntry(bytes.substr(at, end - at));
      at = end + 1;
    }
    if (last_chunk) break;
    kept = at < filled ? filled - at : 0;
    std::memmove(buffer.data(), buffer.data() + filled - kept, kept);
  }
  // Grouped by a hash of the headword: an exact-match index built without comparisons.
  const std::size_t groups = GroupCount(entries_.size(), kEntriesPerGroup);
  std::vector<std::uint32_t> group_of;
  group_of.reserve(entries_.size());
  for (const Entry& entry : entries_) {
    group_of.push_back(HashBytes(HeadwordOf(entry)) & (groups - 1));
  }
  by_headword_ = GroupItems(group_of, groups, headword_buckets_);
  headwords_.assign(std::size_t{1} << kHeadwordBits, false);
  for (const Entry& entry : entries_) headwords_[HeadwordSlot(HeadwordOf(entry))] = true;
}

void CompoundLexicon::IndexEndings() {
  const std::size_t groups = GroupCount(entries_.size(), kEntriesPerGroup);
  std::vector<std::uint32_t> group_of;
  group_of.reserve(entries_.size());
  for (const Entry& entry : entries_) {
    group_of.push_back(HashBytes(Ending(HeadwordOf(entry))) & (groups - 1));
  }
  by_ending_ = GroupItems(group_of, groups, ending_buckets_);
}

std::optional<Text> ChooseCompoundReading(const std::vector<CompoundReading>& readings,
                                          const Text& analysed) {
  if (readings.empty()) return std::nullopt;
  const Text normal = FoldToHiragana(analysed);
  const CompoundReading* only_common = nullptr;
  int common = 0;
  for (const CompoundReading& r : readings) {
    if (r.reading == normal) return std::nullopt;
    if (r.common) {
      ++common;
      only_common = &r;
    }
  }
  if (readings.size() == 1) return readings.front().reading;
  if (common == 1) return only_common->reading;
  // The analysed reading with the compound's sound changes: the only listed one a voiced or
  // changed kana or two away from it (国中: くにちゅう → くにじゅう, not こくちゅう).
  constexpr std::size_t kNearest = 2;
  const CompoundReading* nearest = nullptr;
  std::size_t nearest_distance = kNearest + 1;
  bool tie = false;
  for (const CompoundReading& r : readings) {
    const std::size_t distance = EditDistance(r.reading, normal);
    if (distance < nearest_distance) {
      nearest = &r;
      nearest_distance = distance;
      tie = false;
    } else if (distance == nearest_distance) {
      tie = true;
    }
  }
  if (nearest && !tie && !normal.empty()) return nearest->reading;
  return std::nullopt;
}

std::optional<Text> ConjugateReading(const Text& form, const Text& base_form,
                                     const Text& base_reading) {
  std::size_t shared = 0;
  while (shared < form.size() && shared < base_form.size() && form[shared] == base_form[shared]) {
    ++shared;
  }
  // The changing ending must be kana on both sides, and the shared start must hold the kanji.
  if (shared == 0 || !AllKana(form, shared) || !AllKana(base_form, shared)) return std::nullopt;
  const Text base_tail = FoldToHiragana(base_form.substr(shared));
  if (base_reading.size() < base_tail.size() ||
      base_reading.compare(base_reading.size() - base_tail.size(), base_tail.size(), base_tail) !=
          0) {
    return std::nullopt;
  }
  const Text stem = base_reading.substr(0, base_reading.size() - base_tail.size());
  if (stem.empty()) return std::nullopt;
  return stem + FoldToHiragana(form.substr(shared));
}

void ApplyCompoundReadings(const Text& text, const std::vector<bool>& in_run,
                           const std::vector<std::size_t>& boundaries, CompoundLexicon& lexicon,
                           std::vector<Morpheme>& words) {
  if (in_run.size() != text.size()) return;
  std::vector<bool> boundary(text.size() + 1, false);
  for (const std::size_t position : boundaries) {
    if (position < boundary.size()) boundary[position] = true;
  }
  const auto forced = [&boundary](std::size_t position) {
    return position < boundary.size() && boundary[position];
  };
  // A joined word moves to the place of its last part and the others are marked; they go
  // in one pass at the end, so joining costs no shifting of the words after it.
  std::vector<bool> joined_away(words.size(), false);
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (words[i].begin >= text.size() || !in_run[words[i].begin]) continue;
    // The words that may join: each holds a kanji, none starts at a forced boundary.
    std::size_t limit = i + 1;
    while (limit < words.size() && limit - i < kLongestCompoundWords &&
           words[limit].end - words[i].begin <= kLongestCompound &&
           HoldsKanji(in_run, words[limit]) && !forced(words[limit].begin)) {
      ++limit;
    }
    if (limit - i < 2) continue;
    if (!lexicon.Available()) break;
    bool listed = false;
    for (std::size_t last = limit; last >= i + 2 && !listed; --last) {
      const std::size_t begin = words[i].begin;
      const std::size_t end = words[last - 1].end;
      const Text surface = text.substr(begin, end - begin);
      std::vector<CompoundReading> readings = lexicon.ReadingsOf(surface);
      const Morpheme& tail = words[last - 1];
      if (readings.empty() && !tail.base_form.empty()) {
        // A conjugated compound: looked up by its dictionary form, read in the form written.
        const Text base = text.substr(begin, tail.begin - begin) + tail.base_form;
        if (base != surface) {
          for (CompoundReading& r : lexicon.ReadingsOf(base)) {
            if (std::optional<Text> form = ConjugateReading(surface, base, r.reading)) {
              readings.push_back({*std::move(form), r.common});
            }
          }
        }
      }
      if (readings.empty() && IsCompoundingNoun(words[i])) {
        // Kana left out of a compound of content words only: 分前 after a number is minutes
        // before (ふんまえ), not 分け前.
        readings = lexicon.ReadingsWithoutKana(surface, end < text.size() ? text[end] : U'\0');
      }
      if (readings.empty()) continue;
      listed = true;
      std::optional<Text> chosen = ChooseCompoundReading(readings, ReadingOfWords(words, i, last));
      if (chosen && OnlyAnotherListedVariant(text, lexicon, words, i, last, *chosen)) {
        chosen.reset();
      }
      if (!chosen) chosen = VoicedWhereListedBoth(text, lexicon, readings, words, i, last);
      const std::vector<bool> flags(in_run.begin() + static_cast<std::ptrdiff_t>(begin),
                                    in_run.begin() + static_cast<std::ptrdiff_t>(end));
      if (chosen && AlignReading(surface, flags, *chosen)) {
        words[i].end = end;
        words[i].reading = *chosen;
        words[i].known = true;
        words[i].base_form.clear();
        words[last - 1] = std::move(words[i]);
        std::fill(joined_away.begin() + static_cast<std::ptrdiff_t>(i),
                  joined_away.begin() + static_cast<std::ptrdiff_t>(last - 1), true);
        i = last - 1;
      } else {
        // A headword the analysis already reads right (or cannot be told apart): its parts
        // are not looked up again as shorter compounds; its last word may still start one.
        i = last - 2;
      }
    }
    if (!listed && words[i].end == words[i + 1].begin && in_run[words[i].end - 1] &&
        IsCompoundingNoun(words[i])) {
      VoiceCompoundTail(text, lexicon, words[i + 1]);
    }
  }
  std::size_t kept = 0;
  for (std::size_t k = 0; k < words.size(); ++k) {
    if (joined_away[k]) continue;
    if (kept != k) words[kept] = std::move(words[k]);
    ++kept;
  }
  words.resize(kept);
}

}  // namespace yomika
