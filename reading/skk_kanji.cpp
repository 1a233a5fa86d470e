#include "reading/skk_kanji.h"

#include <iconv.h>

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <string>

namespace yomika {
namespace {

bool IsHiragana(char32_t c) { return (c >= U'ぁ' && c <= U'ゖ') || c == U'ー'; }
bool IsIdeograph(char32_t c) { return c >= 0x3400 && c != 0xFFFD; }

}  // namespace

Text DecodeEucJis2004(const QByteArray& bytes) {
  // glibc converts JIS X 0213 (Qt's codecs do not).
  const iconv_t converter = iconv_open("UTF-8", "EUC-JISX0213");
  if (converter == reinterpret_cast<iconv_t>(-1)) return {};
  std::string utf8(static_cast<std::size_t>(bytes.size()) * 3 + 16, '\0');
  char* in = const_cast<char*>(bytes.constData());
  std::size_t in_left = static_cast<std::size_t>(bytes.size());
  char* out = utf8.data();
  std::size_t out_left = utf8.size();
  while (in_left > 0) {
    if (iconv(converter, &in, &in_left, &out, &out_left) != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) break;  // cannot happen: two bytes give at most two characters, six bytes
    // A byte that starts no character: replaced, and decoding goes on after it.
    ++in;
    --in_left;
    if (out_left < 3) break;
    for (const char b : {'\xEF', '\xBF', '\xBD'}) *out++ = b;
    out_left -= 3;
  }
  iconv_close(converter);
  utf8.resize(utf8.size() - out_left);
  return QString::fromStdString(utf8).toStdU32String();
}

std::pair<Text, std::vector<char32_t>> ParseSkkLine(const Text& line) {
  const std::size_t space = line.find(U" /");
  if (line.empty() || line.front() == U';' || space == Text::npos || space == 0) return {};
  Text reading = line.substr(0, space);
  if (!std::all_of(reading.begin(), reading.end(), IsHiragana)) return {};
  std::vector<char32_t> kanji;
  for (std::size_t at = space + 2; at < line.size();) {
    std::size_t end = line.find(U'/', at);
    if (end == Text::npos) end = line.size();
    const Text candidate = line.substr(at, std::min(line.find(U';', at), end) - at);
    if (candidate.size() == 1 && IsIdeograph(candidate.front())) kanji.push_back(candidate[0]);
    at = end + 1;
  }
  return {std::move(reading), std::move(kanji)};
}

SkkKanjiReadings::SkkKanjiReadings(QString path) : path_(std::move(path)) {}

std::vector<Text> SkkKanjiReadings::ReadingsOf(char32_t kanji) const {
  std::call_once(loaded_, [this] { Load(); });
  std::vector<Text> out;
  auto it =
      std::lower_bound(readings_.begin(), readings_.end(), kanji,
                       [](const Entry& entry, char32_t wanted) { return entry.kanji < wanted; });
  for (; it != readings_.end() && it->kanji == kanji; ++it) out.push_back(it->reading);
  return out;
}

void SkkKanjiReadings::Load() const {
  if (path_.isEmpty()) return;
  QFile file(path_);
  if (!file.open(QIODevice::ReadOnly)) return;
  const Text text = DecodeEucJis2004(file.readAll());
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find(U'\n', at);
    if (end == Text::npos) end = text.size();
    auto [reading, kanji] = ParseSkkLine(text.substr(at, end - at));
    for (std::size_t rank = 0; rank < kanji.size(); ++rank) {
      readings_.push_back({kanji[rank], rank, reading});
    }
    at = end + 1;
  }
  std::stable_sort(readings_.begin(), readings_.end(), [](const Entry& a, const Entry& b) {
    return a.kanji != b.kanji ? a.kanji < b.kanji : a.rank < b.rank;
  });
}

}  // namespace yomika
