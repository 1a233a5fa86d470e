#include "reading/kanjidic2.h"

#include <zlib.h>

#include <QFile>
#include <algorithm>
#include <charconv>
#include <cstring>
#include <memory>
#include <string>

#include "encoding/cp932.h"
#include "reading/reading_alignment.h"

namespace yomika {
namespace {

constexpr std::string_view kElementStart = "<character>";
constexpr std::string_view kElementEnd = "</character>";

Text DecodeUtf8(std::string_view bytes) {
  return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).toStdU32String();
}

std::optional<int> ParseNumber(std::string_view digits, int base = 10) {
  int value = 0;
  const char* const last = digits.data() + digits.size();
  const auto [end, error] = std::from_chars(digits.data(), last, value, base);
  if (error != std::errc() || end != last) return std::nullopt;
  return value;
}

// The value of attribute `name` in the attribute text of a start tag; empty when absent.
std::string_view Attribute(std::string_view attributes, std::string_view name) {
  for (std::size_t at = attributes.find(name); at != std::string_view::npos;
       at = attributes.find(name, at + 1)) {
    const bool starts_word = at == 0 || attributes[at - 1] == ' ';
    const std::size_t quote = at + name.size() + 1;
    if (!starts_word || quote >= attributes.size() || attributes[quote - 1] != '=') continue;
    const char mark = attributes[quote];
    const std::size_t close = attributes.find(mark, quote + 1);
    if (close == std::string_view::npos) return {};
    return attributes.substr(quote + 1, close - quote - 1);
  }
  return {};
}

// A JIS X 0208 code as KANJIDIC2 writes it ("1-18-10": plane, row, cell) as a character, by
// way of its Shift_JIS code.
std::optional<char32_t> FromJis208(std::string_view code) {
  const std::size_t first = code.find('-');
  const std::size_t second = code.find('-', first + 1);
  if (first == std::string_view::npos || second == std::string_view::npos) return std::nullopt;
  const std::optional<int> row = ParseNumber(code.substr(first + 1, second - first - 1));
  const std::optional<int> cell = ParseNumber(code.substr(second + 1));
  if (!row || !cell || *row < 1 || *row > 94 || *cell < 1 || *cell > 94) return std::nullopt;
  int lead = (*row - 1) / 2 + 0x81;
  if (lead > 0x9F) lead += 0x40;
  const int trail = *row % 2 == 1 ? *cell + 0x3F + (*cell >= 64 ? 1 : 0) : *cell + 0x9E;
  const char bytes[] = {static_cast<char>(lead), static_cast<char>(trail)};
  const Text decoded = ToText(cp932::Decode(QByteArrayView(bytes, 2)));
  if (decoded.size() != 1 || decoded.front() == U'\uFFFD') return std::nullopt;
  return decoded.front();
}

// The on reading as a word reads it: hiragana, without affix marks (-ジ → じ).
Text OnReading(std::string_view content) {
  Text reading;
  for (const char32_t c : DecodeUtf8(content)) {
    if (c != U'-') reading += FoldToHiragana(c);
  }
  return reading;
}

void ApplyElement(std::string_view name, std::string_view attributes, std::string_view content,
                  KanjiInfo& info) {
  if (name == "literal") {
    const Text literal = DecodeUtf8(content);
    if (literal.size() == 1) info.kanji = literal.front();
  } else if (name == "reading") {
    const std::string_view type = Attribute(attributes, "r_type");
    if (type == "ja_on") {
      if (Text on = OnReading(content); !on.empty()) info.on.push_back(std::move(on));
    } else if (type == "ja_kun") {
      if (Text kun = DecodeUtf8(content); !kun.empty()) info.kun.push_back(std::move(kun));
    }
  } else if (name == "nanori") {
    if (Text nanori = DecodeUtf8(content); !nanori.empty()) {
      info.nanori.push_back(std::move(nanori));
    }
  } else if (name == "grade") {
    info.grade = ParseNumber(content).value_or(0);
  } else if (name == "jlpt") {
    info.jlpt = ParseNumber(content).value_or(0);
  } else if (name == "freq") {
    info.frequency = ParseNumber(content).value_or(0);
  } else if (name == "variant") {
    const std::string_view type = Attribute(attributes, "var_type");
    std::optional<char32_t> variant;
    if (type == "jis208") variant = FromJis208(content);
    if (type == "ucs") {
      if (const std::optional<int> code = ParseNumber(content, 16)) {
        variant = static_cast<char32_t>(*code);
      }
    }
    if (variant) info.variants.push_back(*variant);
  }
}

}  // namespace

Text KunStem(const Text& kun) {
  Text stem;
  for (const char32_t c : kun) {
    if (c == U'.') break;
    if (c != U'-') stem += c;
  }
  return stem;
}

std::optional<KanjiInfo> ParseKanjidic2Character(std::string_view element) {
  KanjiInfo info;
  // The elements that matter hold text only, so each start tag is followed by its content up
  // to the next "<".
  for (std::size_t at = element.find('<'); at != std::string_view::npos;
       at = element.find('<', at + 1)) {
    const std::size_t tag_end = element.find('>', at);
    if (tag_end == std::string_view::npos) break;
    const std::string_view tag = element.substr(at + 1, tag_end - at - 1);
    if (tag.empty() || tag.front() == '/' || tag.front() == '!' || tag.back() == '/') continue;
    const std::size_t name_end = std::min(tag.find(' '), tag.size());
    const std::size_t content_end = std::min(element.find('<', tag_end), element.size());
    ApplyElement(tag.substr(0, name_end), tag.substr(name_end),
                 element.substr(tag_end + 1, content_end - tag_end - 1), info);
  }
  if (info.kanji == 0) return std::nullopt;
  return info;
}

Kanjidic2::Kanjidic2(QString path) : path_(std::move(path)) {}

const KanjiInfo* Kanjidic2::Find(char32_t kanji) const {
  std::call_once(loaded_, [this] { Load(); });
  const auto it =
      std::lower_bound(entries_.begin(), entries_.end(), kanji,
                       [](const KanjiInfo& info, char32_t wanted) { return info.kanji < wanted; });
  if (it == entries_.end() || it->kanji != kanji) return nullptr;
  return &*it;
}

std::size_t Kanjidic2::size() const {
  std::call_once(loaded_, [this] { Load(); });
  return entries_.size();
}

void Kanjidic2::Load() const {
  if (path_.isEmpty()) return;
  const QByteArray name = QFile::encodeName(path_);
  // gzread passes a file that is not compressed through unchanged.
  const std::unique_ptr<gzFile_s, int (*)(gzFile)> file(gzopen(name.constData(), "rb"), gzclose);
  if (!file) return;
  // Chunk by chunk, so the 15 MB of XML never stand in memory at once.
  constexpr std::size_t kChunk = 1 << 18;
  std::string buffer;
  std::size_t kept = 0;  // bytes of an unfinished element at the start of the buffer
  for (;;) {
    buffer.resize(kept + kChunk);
    const int got = gzread(file.get(), buffer.data() + kept, static_cast<unsigned>(kChunk));
    if (got <= 0) break;
    const std::string_view bytes(buffer.data(), kept + static_cast<std::size_t>(got));
    std::size_t at = 0;
    for (;;) {
      const std::size_t begin = bytes.find(kElementStart, at);
      if (begin == std::string_view::npos) {
        // A start tag may be cut at the chunk's end; keep enough bytes to see it whole.
        at = std::max(at, bytes.size() - std::min(bytes.size(), kElementStart.size()));
        break;
      }
      const std::size_t end = bytes.find(kElementEnd, begin);
      if (end == std::string_view::npos) {
        at = begin;
        break;
      }
      if (std::optional<KanjiInfo> info =
              ParseKanjidic2Character(bytes.substr(begin, end + kElementEnd.size() - begin))) {
        entries_.push_back(*std::move(info));
      }
      at = end + kElementEnd.size();
    }
    kept = bytes.size() - at;
    std::memmove(buffer.data(), buffer.data() + at, kept);
  }
  std::stable_sort(entries_.begin(), entries_.end(),
                   [](const KanjiInfo& a, const KanjiInfo& b) { return a.kanji < b.kanji; });
  // A kanji listed twice keeps its first entry.
  entries_.erase(
      std::unique(entries_.begin(), entries_.end(),
                  [](const KanjiInfo& a, const KanjiInfo& b) { return a.kanji == b.kanji; }),
      entries_.end());
  entries_.shrink_to_fit();
}

}  // namespace yomika
