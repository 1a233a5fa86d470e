#include "platform/reading_compounds.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <limits>

#include "platform/cp932.h"
#include "platform/reading_alignment.h"

namespace yomika {
namespace {

// A compound is looked up over at most this many words and characters; longer headwords are
// set phrases the analyser splits correctly anyway.
constexpr std::size_t kLongestCompoundWords = 5;
constexpr std::size_t kLongestCompound = 12;

// EUC-JP lead bytes of the JIS X 0208 kanji rows (16–84): the headwords worth keeping.
bool IsEucKanjiLead(unsigned char b) { return b >= 0xB0 && b <= 0xF4; }

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

std::uint32_t EndingKey(std::string_view headword) {
  std::uint32_t key = 0;
  for (std::size_t i = headword.size() - 4; i < headword.size(); ++i) {
    key = (key << 8) | static_cast<unsigned char>(headword[i]);
  }
  return key;
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
  if (line.empty() || !IsEucKanjiLead(static_cast<unsigned char>(line.front()))) {
    return std::nullopt;
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
  return out;
}

CompoundLexicon::CompoundLexicon(QString path) : path_(std::move(path)) {}

std::string_view CompoundLexicon::HeadwordOf(const Entry& entry) const {
  return std::string_view(pool_).substr(entry.offset, entry.headword_length);
}

Text CompoundLexicon::ReadingOf(const Entry& entry) {
  const std::string_view bytes =
      std::string_view(pool_).substr(entry.offset + entry.headword_length, entry.reading_length);
  const QString reading =
      decoder_(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (decoder_.hasError()) {
    decoder_.resetState();
    return {};
  }
  return FoldToHiragana(ToText(reading));
}

std::optional<std::string> CompoundLexicon::Encode(const Text& text) {
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
  LoadOnce();
  std::vector<CompoundReading> readings;
  if (entries_.empty() || headword.size() < 2) return readings;
  const std::optional<std::string> key = Encode(headword);
  if (!key) return readings;
  const std::string_view wanted = *key;
  const auto first = std::partition_point(entries_.begin(), entries_.end(),
                                          [&](const Entry& e) { return HeadwordOf(e) < wanted; });
  for (auto it = first; it != entries_.end() && HeadwordOf(*it) == wanted; ++it) {
    Text reading = ReadingOf(*it);
    if (!reading.empty()) readings.push_back({std::move(reading), it->common});
  }
  return readings;
}

std::optional<bool> CompoundLexicon::VoicesTail(const Text& tail, const Text& tail_reading) {
  if (tail.size() < 2 || tail_reading.empty()) return std::nullopt;
  const Text cache_key = tail + U'\t' + tail_reading;
  if (const auto cached = voicing_cache_.find(cache_key); cached != voicing_cache_.end()) {
    return cached->second;
  }
  LoadOnce();
  if (by_ending_.empty() && !entries_.empty()) {
    by_ending_.reserve(entries_.size());
    for (std::uint32_t k = 0; k < entries_.size(); ++k) {
      by_ending_.push_back(std::uint64_t{EndingKey(HeadwordOf(entries_[k]))} << 32 | k);
    }
    std::sort(by_ending_.begin(), by_ending_.end());
  }
  std::optional<bool> verdict;
  const std::optional<std::string> encoded = Encode(tail);
  const Text plain = FoldToHiragana(tail_reading);
  const std::optional<Text> voiced = VoiceFirstSound(plain);
  if (encoded && voiced) {
    const std::string_view wanted = *encoded;
    const std::uint64_t ending = std::uint64_t{EndingKey(wanted)} << 32;
    int plain_count = 0;
    int voiced_count = 0;
    for (auto it = std::lower_bound(by_ending_.begin(), by_ending_.end(), ending);
         it != by_ending_.end() && (*it >> 32) == (ending >> 32); ++it) {
      const Entry& entry = entries_[static_cast<std::uint32_t>(*it)];
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
                      static_cast<std::uint8_t>(entry->reading.size()), entry->common});
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
  // About a sixth of the file is kanji headwords and readings, one entry per 110 bytes.
  pool_.reserve(static_cast<std::size_t>(file.size() / 6));
  entries_.reserve(static_cast<std::size_t>(file.size() / 110));
  constexpr qint64 kChunk = 1 << 20;
  std::string buffer;
  std::size_t kept = 0;  // bytes of an unfinished line at the start of the buffer
  for (;;) {
    buffer.resize(kept + static_cast<std::size_t>(kChunk));
    const qint64 got = file.read(buffer.data() + kept, kChunk);
    if (got < 0) break;
    buffer.resize(kept + static_cast<std::size_t>(got));
    const bool last_chunk = got == 0;
    std::size_t at = 0;
    for (;;) {
      std::size_t end = buffer.find('\n', at);
      if (end == std::string::npos) {
        if (!last_chunk) break;
        end = buffer.size();
      }
      if (at < end) AddEntry(std::string_view(buffer).substr(at, end - at));
      at = end + 1;
      if (at >= buffer.size()) break;
    }
    if (last_chunk) break;
    kept = at < buffer.size() ? buffer.size() - at : 0;
    buffer.erase(0, buffer.size() - kept);
  }
  pool_.shrink_to_fit();
  entries_.shrink_to_fit();
  std::sort(entries_.begin(), entries_.end(),
            [this](const Entry& a, const Entry& b) { return HeadwordOf(a) < HeadwordOf(b); });
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
  const auto forced = [&boundaries](std::size_t position) {
    return std::find(boundaries.begin(), boundaries.end(), position) != boundaries.end();
  };
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
    if (!lexicon.Available()) return;
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
      if (readings.empty()) continue;
      listed = true;
      const std::optional<Text> chosen =
          ChooseCompoundReading(readings, ReadingOfWords(words, i, last));
      const std::vector<bool> flags(in_run.begin() + static_cast<std::ptrdiff_t>(begin),
                                    in_run.begin() + static_cast<std::ptrdiff_t>(end));
      if (chosen && AlignReading(surface, flags, *chosen)) {
        words[i].end = end;
        words[i].reading = *chosen;
        words[i].known = true;
        words[i].base_form.clear();
        words.erase(words.begin() + static_cast<std::ptrdiff_t>(i + 1),
                    words.begin() + static_cast<std::ptrdiff_t>(last));
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
}

}  // namespace yomika
