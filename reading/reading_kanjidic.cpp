#include "reading/reading_kanjidic.h"

#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <charconv>
#include <limits>
#include <string_view>

#include "reading/kanjidic2.h"
#include "reading/reading_alignment.h"

namespace yomika {
namespace {

bool IsHiragana(char32_t c) { return c >= U'ぁ' && c <= U'ゖ'; }
bool IsKatakana(char32_t c) { return (c >= U'ァ' && c <= U'ヺ') || c == U'ー'; }

// The kanji a KANJIDIC line is about: the code point of its U field, else its decoded first
// field when that is one character.
std::optional<char32_t> KanjiOfLine(std::string_view line, QStringDecoder& decoder) {
  std::size_t at = line.find(' ');
  const std::string_view head = line.substr(0, at);
  while (at < line.size()) {
    const std::size_t start = at + 1;
    at = std::min(line.find(' ', start), line.size());
    const std::string_view field = line.substr(start, at - start);
    if (field.starts_with('{')) break;
    if (field.size() < 2 || field.size() > 7 || field.front() != 'U') continue;
    std::uint32_t code = 0;
    const char* const last = field.data() + field.size();
    const auto [end, error] = std::from_chars(field.data() + 1, last, code, 16);
    if (error == std::errc() && end == last) return static_cast<char32_t>(code);
  }
  const Text decoded =
      ToText(decoder.decode(QByteArrayView(head.data(), static_cast<qsizetype>(head.size()))));
  decoder.resetState();
  if (decoded.size() != 1) return std::nullopt;
  return decoded.front();
}

}  // namespace

std::optional<std::pair<char32_t, Text>> ParseKanjidicLine(const QString& line) {
  if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) return std::nullopt;
  const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (fields.size() < 2) return std::nullopt;
  const Text head = ToText(fields[0]);
  if (head.size() != 1) return std::nullopt;
  std::optional<Text> on;
  std::optional<Text> kun;
  for (qsizetype i = 1; i < fields.size(); ++i) {
    const QString& field = fields[i];
    if (field == QLatin1String("T1") || field == QLatin1String("T2")) break;
    if (field.startsWith(QLatin1Char('{'))) break;
    const Text text = ToText(field);
    char32_t first = text.front();
    if (first == U'-' && text.size() > 1) first = text[1];
    if (IsKatakana(first) && !on) {
      Text reading;
      for (const char32_t c : text) {
        if (c != U'-') reading += FoldToHiragana(c);
      }
      on = reading;
    } else if (IsHiragana(first) && !kun) {
      kun = KunStem(text);
    }
  }
  if (on && !on->empty()) return std::make_pair(head.front(), *on);
  if (kun && !kun->empty()) return std::make_pair(head.front(), *kun);
  return std::nullopt;
}

KanjidicReadings::KanjidicReadings(QString path) : path_(std::move(path)) {}

std::vector<QString> KanjidicReadings::LinesOf(char32_t kanji) {
  LoadOnce();
  std::vector<QString> lines;
  const auto first =
      std::lower_bound(lines_.begin(), lines_.end(), std::make_pair(kanji, std::uint32_t{0}));
  QStringDecoder decoder("EUC-JP");
  for (auto it = first; it != lines_.end() && it->first == kanji; ++it) {
    const qsizetype begin = it->second;
    qsizetype end = bytes_.indexOf('\n', begin);
    if (end < 0) end = bytes_.size();
    lines.push_back(decoder.decode(QByteArrayView(bytes_).sliced(begin, end - begin)));
    decoder.resetState();
  }
  return lines;
}

std::optional<Text> KanjidicReadings::ReadingOf(char32_t kanji) {
  for (const QString& line : LinesOf(kanji)) {
    std::optional<std::pair<char32_t, Text>> entry = ParseKanjidicLine(line);
    if (entry && entry->first == kanji) return std::move(entry->second);
  }
  return std::nullopt;
}

std::vector<Text> KanjidicReadings::AllReadingsOf(char32_t kanji) {
  std::vector<Text> readings;
  for (const QString& line : LinesOf(kanji)) {
    const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (fields.isEmpty() || ToText(fields[0]) != Text(1, kanji)) continue;
    for (qsizetype i = 1; i < fields.size(); ++i) {
      const QString& field = fields[i];
      if (field == QLatin1String("T1") || field == QLatin1String("T2")) break;
      if (field.startsWith(QLatin1Char('{'))) break;
      const Text text = ToText(field);
      const char32_t first = text.front() == U'-' && text.size() > 1 ? text[1] : text.front();
      if (!IsKatakana(first) && !IsHiragana(first)) continue;
      const Text reading = FoldToHiragana(KunStem(text));
      if (!reading.empty()) readings.push_back(reading);
    }
  }
  return readings;
}

bool KanjidicReadings::Available() {
  LoadOnce();
  return !lines_.empty();
}

void KanjidicReadings::LoadOnce() {
  if (loaded_) return;
  loaded_ = true;
  if (path_.isEmpty()) return;
  QFile file(path_);
  if (!file.open(QIODevice::ReadOnly)) return;
  QStringDecoder decoder("EUC-JP");
  if (!decoder.isValid()) return;
  bytes_ = file.readAll();
  if (bytes_.size() > std::numeric_limits<std::uint32_t>::max()) bytes_.clear();
  // Only a few kanji are ever looked up, so lines are indexed by the code point of their
  // U field (U4e9c) and decoded on demand; a line without one is indexed by its decoded head.
  const std::string_view text(bytes_.constData(), static_cast<std::size_t>(bytes_.size()));
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(at, end - at);
    if (!line.empty() && line.front() != '#') {
      if (const std::optional<char32_t> kanji = KanjiOfLine(line, decoder)) {
        lines_.emplace_back(*kanji, static_cast<std::uint32_t>(at));
      }
    }
    at = end + 1;
  }
  std::stable_sort(lines_.begin(), lines_.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
}

}  // namespace yomika
