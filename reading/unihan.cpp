#include "reading/unihan.h"

#include <bzlib.h>

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace yomika {
namespace {

using LineHandler = std::function<void(std::string_view line)>;

// Hands every line of `text` but an unfinished last one to `handle`; returns how many bytes
// it used.
std::size_t HandleLines(std::string_view text, const LineHandler& handle) {
  std::size_t at = 0;
  for (std::size_t end = text.find('\n'); end != std::string_view::npos;
       end = text.find('\n', at)) {
    handle(text.substr(at, end - at));
    at = end + 1;
  }
  return at;
}

// Every line of the bzip2-compressed file at `path`, chunk by chunk; false when it cannot be
// opened.
bool ReadBzip2Lines(const QString& path, const LineHandler& handle) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(
      std::fopen(QFile::encodeName(path).constData(), "rb"), std::fclose);
  if (!file) return false;
  int error = BZ_OK;
  BZFILE* bz = BZ2_bzReadOpen(&error, file.get(), 0, 0, nullptr, 0);
  if (error != BZ_OK) return false;
  constexpr std::size_t kChunk = 1 << 18;
  std::string buffer;
  std::size_t kept = 0;
  while (error == BZ_OK) {
    buffer.resize(kept + kChunk);
    const int got = BZ2_bzRead(&error, bz, buffer.data() + kept, static_cast<int>(kChunk));
    if (error != BZ_OK && error != BZ_STREAM_END) break;
    const std::string_view text(buffer.data(), kept + static_cast<std::size_t>(got));
    const std::size_t used = HandleLines(text, handle);
    kept = text.size() - used;
    std::copy(buffer.begin() + static_cast<std::ptrdiff_t>(used),
              buffer.begin() + static_cast<std::ptrdiff_t>(text.size()), buffer.begin());
  }
  if (kept > 0) handle(std::string_view(buffer.data(), kept));
  BZ2_bzReadClose(&error, bz);
  return true;
}

// Every line of the Unihan file `name` in `folder`, compressed or plain.
void ReadUnihanFile(const QString& folder, const QString& name, const LineHandler& handle) {
  const QString path = folder + QLatin1Char('/') + name;
  if (ReadBzip2Lines(path + QStringLiteral(".bz2"), handle)) return;
  QFile plain(path);
  if (!plain.open(QIODevice::ReadOnly)) return;
  const QByteArray bytes = plain.readAll();
  const std::string_view text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  const std::size_t used = HandleLines(text, handle);
  if (used < text.size()) handle(text.substr(used));
}

// "U+9AD8" (possibly followed by "<source…") as a code point.
std::optional<char32_t> ParseCodePoint(std::string_view field) {
  if (!field.starts_with("U+")) return std::nullopt;
  std::uint32_t code = 0;
  const char* const first = field.data() + 2;
  const char* const last = field.data() + field.size();
  const auto [end, error] = std::from_chars(first, last, code, 16);
  if (error != std::errc() || end == first || (end != last && *end != '<')) return std::nullopt;
  return static_cast<char32_t>(code);
}

// A Unihan line split at its two tabs: character, field, value.
struct UnihanLine {
  char32_t c;
  std::string_view field;
  std::string_view value;
};

std::optional<UnihanLine> SplitLine(std::string_view line) {
  if (line.empty() || line.front() == '#') return std::nullopt;
  const std::size_t tab = line.find('\t');
  const std::size_t second = line.find('\t', tab + 1);
  if (tab == std::string_view::npos || second == std::string_view::npos) return std::nullopt;
  const std::optional<char32_t> c = ParseCodePoint(line.substr(0, tab));
  if (!c) return std::nullopt;
  std::string_view value = line.substr(second + 1);
  while (!value.empty() && (value.back() == '\r' || value.back() == ' ')) value.remove_suffix(1);
  return UnihanLine{*c, line.substr(tab + 1, second - tab - 1), value};
}

// Calls `handle` with each space-separated word of `value`.
template <typename Handle>
void ForEachWord(std::string_view value, Handle handle) {
  for (std::size_t at = 0; at < value.size();) {
    const std::size_t end = std::min(value.find(' ', at), value.size());
    if (end > at) handle(value.substr(at, end - at));
    at = end + 1;
  }
}

constexpr std::array<std::string_view, 5> kVariantFields = {
    "kZVariant", "kSemanticVariant", "kSpecializedSemanticVariant", "kTraditionalVariant",
    "kSimplifiedVariant"};

struct Syllable {
  std::string_view romaji;
  const char32_t* kana;
};

// Hepburn syllables, with the older or odd spellings Unihan also uses (HU, SHYU); the longest
// spelling that matches is taken.
constexpr Syllable kSyllables[] = {
    {"SHYU", U"しゅ"}, {"SHYO", U"しょ"}, {"CHYU", U"ちゅ"}, {"HU", U"ふ"},    {"FI", U"ふぃ"},
    {"KYA", U"きゃ"},  {"KYU", U"きゅ"},  {"KYO", U"きょ"},  {"GYA", U"ぎゃ"}, {"GYU", U"ぎゅ"},
    {"GYO", U"ぎょ"},  {"SHA", U"しゃ"},  {"SHU", U"しゅ"},  {"SHO", U"しょ"}, {"SHE", U"しぇ"},
    {"SHI", U"し"},    {"CHA", U"ちゃ"},  {"CHU", U"ちゅ"},  {"CHO", U"ちょ"}, {"CHE", U"ちぇ"},
    {"CHI", U"ち"},    {"TSU", U"つ"},    {"NYA", U"にゃ"},  {"NYU", U"にゅ"}, {"NYO", U"にょ"},
    {"HYA", U"ひゃ"},  {"HYU", U"ひゅ"},  {"HYO", U"ひょ"},  {"BYA", U"びゃ"}, {"BYU", U"びゅ"},
    {"BYO", U"びょ"},  {"PYA", U"ぴゃ"},  {"PYU", U"ぴゅ"},  {"PYO", U"ぴょ"}, {"MYA", U"みゃ"},
    {"MYU", U"みゅ"},  {"MYO", U"みょ"},  {"RYA", U"りゃ"},  {"RYU", U"りゅ"}, {"RYO", U"りょ"},
    {"JA", U"じゃ"},   {"JU", U"じゅ"},   {"JO", U"じょ"},   {"JI", U"じ"},    {"JE", U"じぇ"},
    {"KA", U"か"},     {"KI", U"き"},     {"KU", U"く"},     {"KE", U"け"},    {"KO", U"こ"},
    {"GA", U"が"},     {"GI", U"ぎ"},     {"GU", U"ぐ"},     {"GE", U"げ"},    {"GO", U"ご"},
    {"SA", U"さ"},     {"SU", U"す"},     {"SE", U"せ"},     {"SO", U"そ"},    {"ZA", U"ざ"},
    {"ZU", U"ず"},     {"ZE", U"ぜ"},     {"ZO", U"ぞ"},     {"TA", U"た"},    {"TE", U"て"},
    {"TO", U"と"},     {"DA", U"だ"},     {"DI", U"ぢ"},     {"DU", U"づ"},    {"DE", U"で"},
    {"DO", U"ど"},     {"NA", U"な"},     {"NI", U"に"},     {"NU", U"ぬ"},    {"NE", U"ね"},
    {"NO", U"の"},     {"HA", U"は"},     {"HI", U"ひ"},     {"FU", U"ふ"},    {"HE", U"へ"},
    {"HO", U"ほ"},     {"BA", U"ば"},     {"BI", U"び"},     {"BU", U"ぶ"},    {"BE", U"べ"},
    {"BO", U"ぼ"},     {"PA", U"ぱ"},     {"PI", U"ぴ"},     {"PU", U"ぷ"},    {"PE", U"ぺ"},
    {"PO", U"ぽ"},     {"MA", U"ま"},     {"MI", U"み"},     {"MU", U"む"},    {"ME", U"め"},
    {"MO", U"も"},     {"YA", U"や"},     {"YU", U"ゆ"},     {"YO", U"よ"},    {"RA", U"ら"},
    {"RI", U"り"},     {"RU", U"る"},     {"RE", U"れ"},     {"RO", U"ろ"},    {"WA", U"わ"},
    {"WI", U"ゐ"},     {"WE", U"ゑ"},     {"WO", U"を"},     {"A", U"あ"},     {"I", U"い"},
    {"U", U"う"},      {"E", U"え"},      {"O", U"お"},
};

const Syllable* MatchSyllable(std::string_view rest) {
  const Syllable* best = nullptr;
  for (const Syllable& s : kSyllables) {
    if (rest.starts_with(s.romaji) && (!best || s.romaji.size() > best->romaji.size())) best = &s;
  }
  return best;
}

}  // namespace

std::optional<Text> RomajiToHiragana(std::string_view romaji) {
  Text kana;
  for (std::size_t at = 0; at < romaji.size();) {
    const std::string_view rest = romaji.substr(at);
    if (const Syllable* s = MatchSyllable(rest)) {
      kana += s->kana;
      at += s->romaji.size();
      continue;
    }
    const char c = rest.front();
    if (c == 'N') {
      kana += U'ん';
      ++at;
    } else if (rest.size() > 1 && c != 'A' && c != 'I' && c != 'U' && c != 'E' && c != 'O' &&
               (rest[1] == c || (c == 'T' && rest[1] == 'C'))) {
      // A doubled consonant (KK, SS, PP; TCH) is a small tsu.
      kana += U'っ';
      ++at;
    } else {
      return std::nullopt;
    }
  }
  if (kana.empty()) return std::nullopt;
  return kana;
}

Unihan::Unihan(QString folder) : folder_(std::move(folder)) {}

const Unihan::Readings* Unihan::FindReadings(char32_t c) const {
  std::call_once(readings_loaded_, [this] { LoadReadings(); });
  const auto it = std::lower_bound(readings_.begin(), readings_.end(), c,
                                   [](const Readings& r, char32_t wanted) { return r.c < wanted; });
  return it != readings_.end() && it->c == c ? &*it : nullptr;
}

const std::vector<Text>& Unihan::JapaneseReadings(char32_t c) const {
  static const std::vector<Text> kNone;
  const Readings* found = FindReadings(c);
  return found ? found->readings : kNone;
}

std::size_t Unihan::OnReadingCount(char32_t c) const {
  const Readings* found = FindReadings(c);
  return found ? found->on_count : 0;
}

std::vector<char32_t> Unihan::Variants(char32_t c) const {
  std::call_once(variants_loaded_, [this] { LoadVariants(); });
  std::vector<char32_t> out;
  auto it = std::lower_bound(variants_.begin(), variants_.end(), c,
                             [](const Variant& v, char32_t wanted) { return v.c < wanted; });
  for (; it != variants_.end() && it->c == c; ++it) {
    if (std::find(out.begin(), out.end(), it->variant) == out.end()) out.push_back(it->variant);
  }
  return out;
}

void Unihan::LoadReadings() const {
  // The file lists the fields of one character together, kJapaneseKun before kJapaneseOn.
  const auto add = [this](char32_t c, bool on, Text reading) {
    if (readings_.empty() || readings_.back().c != c) readings_.push_back({c, 0, {}});
    Readings& r = readings_.back();
    if (on) {
      r.readings.insert(r.readings.begin() + static_cast<std::ptrdiff_t>(r.on_count),
                        std::move(reading));
      ++r.on_count;
    } else {
      r.readings.push_back(std::move(reading));
    }
  };
  ReadUnihanFile(folder_, QStringLiteral("Unihan_Readings.txt"), [&](std::string_view text) {
    const std::optional<UnihanLine> line = SplitLine(text);
    if (!line) return;
    const bool on = line->field == "kJapaneseOn";
    if (!on && line->field != "kJapaneseKun") return;
    ForEachWord(line->value, [&](std::string_view word) {
      if (std::optional<Text> reading = RomajiToHiragana(word)) add(line->c, on, *reading);
    });
  });
  std::stable_sort(readings_.begin(), readings_.end(),
                   [](const Readings& a, const Readings& b) { return a.c < b.c; });
}

void Unihan::LoadVariants() const {
  ReadUnihanFile(folder_, QStringLiteral("Unihan_Variants.txt"), [this](std::string_view text) {
    const std::optional<UnihanLine> line = SplitLine(text);
    if (!line) return;
    const auto field = std::find(kVariantFields.begin(), kVariantFields.end(), line->field);
    if (field == kVariantFields.end()) return;
    const int kind = static_cast<int>(field - kVariantFields.begin());
    ForEachWord(line->value, [&](std::string_view word) {
      if (const std::optional<char32_t> variant = ParseCodePoint(word)) {
        variants_.push_back({line->c, kind, *variant});
      }
    });
  });
  std::stable_sort(variants_.begin(), variants_.end(), [](const Variant& a, const Variant& b) {
    return a.c != b.c ? a.c < b.c : a.kind < b.kind;
  });
}

}  // namespace yomika
