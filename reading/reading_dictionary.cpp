#include "reading/reading_dictionary.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>
#include <utility>

#include "encoding/atomic_file.h"
#include "encoding/file_reader.h"

namespace yomika {
namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";

bool IsHiragana(char16_t c) { return (c >= u'ぁ' && c <= u'ゖ') || c == u'ゝ' || c == u'ゞ'; }

// ァ … ヺ, ー, ヽ, ヾ; the middle dot ・ (U+30FB) is not part of a reading.
bool IsKatakana(char16_t c) {
  return (c >= u'ァ' && c <= u'ヺ') || c == u'ー' || c == u'ヽ' || c == u'ヾ';
}

bool HasHiraganaForm(char16_t c) { return (c >= u'ァ' && c <= u'ヶ') || c == u'ヽ' || c == u'ヾ'; }

// Each line gets a decoder of its own, so that one bad line cannot disturb the next and a
// U+FEFF inside the file is kept as a character rather than swallowed as a BOM.
std::optional<QString> DecodeUtf8(const QByteArray& bytes) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
  QString text = decoder(bytes);
  if (decoder.hasError()) return std::nullopt;
  return text;
}

}  // namespace

QString ReadingDictionary::DefaultPath() {
  // The generic data folder plus the program's name is what AppDataLocation gives for the
  // application "YOMIKA"; building it by hand keeps the path the same for the program, the
  // converter and code running without a QCoreApplication.
  const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  return QDir(base).filePath(QStringLiteral("YOMIKA/readings.tsv"));
}

ReadingDictionary::ReadingDictionary(QString path) : path_(std::move(path)) { Load(); }

bool ReadingDictionary::Load() { return Read(); }

void ReadingDictionary::ReloadIfChanged() {
  const QFileInfo info(path_);
  const bool changed = info.exists()
                           ? info.size() != loaded_size_ || info.lastModified() != loaded_modified_
                           : loaded_size_ != -1;
  if (changed) Read();
}

std::optional<QString> ReadingDictionary::ReadingOf(const QString& word) const {
  const auto it = index_.constFind(word);
  if (it == index_.constEnd()) return std::nullopt;
  return entries_[*it].reading;
}

bool ReadingDictionary::IsValidReading(const QString& reading) {
  if (reading.isEmpty()) return false;
  for (const QChar c : reading) {
    if (!IsHiragana(c.unicode()) && !IsKatakana(c.unicode())) return false;
  }
  return true;
}

QString ReadingDictionary::ToHiragana(const QString& reading) {
  QString result = reading;
  for (QChar& c : result) {
    if (HasHiraganaForm(c.unicode())) c = QChar(c.unicode() - (u'ァ' - u'ぁ'));
  }
  return result;
}

std::optional<QString> ReadingDictionary::Put(const ReadingEntry& entry) {
  const QString word = entry.word.trimmed();
  const QString reading = entry.reading.trimmed();
  if (word.isEmpty()) return QStringLiteral("語が空です。");
  if (word.contains(QLatin1Char('\t')) || word.contains(QLatin1Char('\n')) ||
      word.contains(QLatin1Char('\r'))) {
    return QStringLiteral("語「%1」にタブや改行は使えません。").arg(word);
  }
  if (!IsValidReading(reading)) {
    return QStringLiteral("読み「%1」はひらがなかカタカナで書いてください。").arg(reading);
  }
  if (!RefreshBeforeWrite()) return *file_problem_;

  const ReadingEntry stored{word, ToHiragana(reading)};
  QList<Line> lines = lines_;
  bool placed = false;
  for (qsizetype i = 0; i < lines.size();) {
    if (!lines[i].entry || lines[i].entry->word != word) {
      ++i;
      continue;
    }
    if (placed) {
      // Later lines for the word would override the new reading on the next read.
      lines.removeAt(i);
      continue;
    }
    // A line that already says the same keeps its text as the user wrote it (katakana, say).
    if (lines[i].entry->reading != stored.reading) {
      lines[i] = Line{(word + QLatin1Char('\t') + stored.reading).toUtf8(), stored, {}};
    }
    placed = true;
    ++i;
  }
  if (!placed) {
    lines.append(Line{(word + QLatin1Char('\t') + stored.reading).toUtf8(), stored, {}});
  }
  return Save(std::move(lines));
}

std::optional<QString> ReadingDictionary::Remove(const QString& word) {
  if (!RefreshBeforeWrite()) return *file_problem_;
  const QString key = word.trimmed();
  QList<Line> lines = lines_;
  const qsizetype removed =
      lines.removeIf([&key](const Line& line) { return line.entry && line.entry->word == key; });
  if (removed == 0) return std::nullopt;
  return Save(std::move(lines));
}

bool ReadingDictionary::Read() {
  lines_.clear();
  file_problem_.reset();
  has_bom_ = false;
  crlf_ = false;
  // The state is taken before reading: a change made while we read shows up as a change.
  RememberFileState();

  if (!QFileInfo::exists(path_)) {
    RebuildEntries();
    return true;
  }
  QByteArray data;
  if (const std::optional<QString> problem = ReadRegularFile(path_, data)) {
    file_problem_ = QStringLiteral("読みの辞書 %1 を読めません: %2。").arg(path_, *problem);
    RebuildEntries();
    return false;
  }

  if (data.startsWith(kBom)) {
    has_bom_ = true;
    data.remove(0, qsizetype{sizeof kBom} - 1);
  }
  QList<QByteArray> raw_lines = data.split('\n');
  if (!raw_lines.isEmpty() && raw_lines.last().isEmpty()) raw_lines.removeLast();
  crlf_ = !raw_lines.isEmpty() && raw_lines.first().endsWith('\r');

  for (QByteArray& raw : raw_lines) {
    if (raw.endsWith('\r')) raw.chop(1);
    Line line{raw, {}, {}};
    const std::optional<QString> text = DecodeUtf8(raw);
    if (!text) {
      line.problem = QStringLiteral("UTF-8 として読めない文字があります。");
    } else if (const QString trimmed = text->trimmed();
               !trimmed.isEmpty() && !trimmed.startsWith(QLatin1Char('#'))) {
      const QStringList fields = text->split(QLatin1Char('\t'));
      const QString word = fields.value(0).trimmed();
      const QString reading = fields.value(1).trimmed();
      if (fields.size() < 2) {
        line.problem = QStringLiteral("タブがありません（「語<TAB>読み」の形で書きます）。");
      } else if (fields.size() > 2) {
        line.problem = QStringLiteral("タブが多すぎます（「語<TAB>読み」の形で書きます）。");
      } else if (word.isEmpty()) {
        line.problem = QStringLiteral("語が空です。");
      } else if (reading.isEmpty()) {
        line.problem = QStringLiteral("読みが空です。");
      } else if (!IsValidReading(reading)) {
        line.problem =
            QStringLiteral("読み「%1」はひらがなかカタカナで書いてください。").arg(reading);
      } else {
        line.entry = ReadingEntry{word, ToHiragana(reading)};
      }
    }
    lines_.append(std::move(line));
  }
  RebuildEntries();
  return true;
}

bool ReadingDictionary::RefreshBeforeWrite() {
  ReloadIfChanged();
  // A file that could not be read is tried again; writing over it would lose its text.
  if (file_problem_) Read();
  return !file_problem_;
}

std::optional<QString> ReadingDictionary::Save(QList<Line> lines) {
  const QString folder = QFileInfo(path_).absolutePath();
  if (!QDir().mkpath(folder)) {
    return QStringLiteral("フォルダ %1 を作成できません。").arg(folder);
  }
  const QByteArray line_end = crlf_ ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
  QByteArray data = has_bom_ ? QByteArray(kBom) : QByteArray();
  for (const Line& line : lines) data += line.raw + line_end;

  if (const std::optional<QString> problem = WriteFileAtomically(path_, data)) {
    return QStringLiteral("読みの辞書 %1 に書き込めません: %2。").arg(path_, *problem);
  }
  lines_ = std::move(lines);
  RememberFileState();
  RebuildEntries();
  return std::nullopt;
}

void ReadingDictionary::RebuildEntries() {
  entries_.clear();
  index_.clear();
  problems_.clear();
  if (file_problem_) problems_.append(DictionaryProblem{0, *file_problem_});
  for (qsizetype i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.problem) problems_.append(DictionaryProblem{static_cast<int>(i + 1), *line.problem});
    if (!line.entry) continue;
    if (const auto it = index_.constFind(line.entry->word); it != index_.constEnd()) {
      entries_[*it].reading = line.entry->reading;
    } else {
      index_.insert(line.entry->word, entries_.size());
      entries_.append(*line.entry);
    }
  }
}

void ReadingDictionary::RememberFileState() {
  const QFileInfo info(path_);
  if (info.exists()) {
    loaded_size_ = info.size();
    loaded_modified_ = info.lastModified();
  } else {
    loaded_size_ = -1;
    loaded_modified_ = QDateTime();
  }
}

}  // namespace yomika
