#include "platform/reading_kanjidic.h"

#include <QFile>
#include <QStringDecoder>

#include "platform/reading_alignment.h"

namespace yomika {
namespace {

bool IsHiragana(char32_t c) { return c >= U'ぁ' && c <= U'ゖ'; }
bool IsKatakana(char32_t c) { return (c >= U'ァ' && c <= U'ヺ') || c == U'ー'; }

// A kun reading as written in KANJIDIC: "-" marks a prefix or suffix use, "." starts the
// okurigana. Returns the part the kanji itself stands for.
Text KunStem(const Text& field) {
  Text stem;
  for (const char32_t c : field) {
    if (c == U'.') break;
    if (c != U'-') stem += c;
  }
  return stem;
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

std::optional<Text> KanjidicReadings::ReadingOf(char32_t kanji) {
  LoadOnce();
  const auto found = readings_.find(kanji);
  if (found == readings_.end()) return std::nullopt;
  return found->second;
}

bool KanjidicReadings::Available() {
  LoadOnce();
  return !readings_.empty();
}

void KanjidicReadings::LoadOnce() {
  if (loaded_) return;
  loaded_ = true;
  if (path_.isEmpty()) return;
  QFile file(path_);
  if (!file.open(QIODevice::ReadOnly)) return;
  QStringDecoder decoder("EUC-JP");
  if (!decoder.isValid()) return;
  const QString text = decoder.decode(file.readAll());
  for (const QStringView line : QStringTokenizer(text, QLatin1Char('\n'))) {
    if (auto entry = ParseKanjidicLine(line.toString())) readings_.insert(*std::move(entry));
  }
}

}  // namespace yomika
