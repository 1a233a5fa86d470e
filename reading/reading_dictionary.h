#ifndef YOMIKA_READING_READING_DICTIONARY_H_
#define YOMIKA_READING_READING_DICTIONARY_H_

// The per-user reading dictionary: words whose reading the user registered. A human-editable
// UTF-8 file, one "word<TAB>reading" a line, "#" starts a comment line; blank lines, a UTF-8
// BOM and CR LF line ends are fine. Entries override the analyser: a registered word found in
// the text takes the registered reading. The program and the converter share the file, so
// it is re-read whenever it changes on disk, and saving never drops a line the user wrote.

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

namespace yomika {

struct ReadingEntry {
  QString word;
  QString reading;  // hiragana
  friend bool operator==(const ReadingEntry&, const ReadingEntry&) = default;
};

// A line of the file that could not be read, with its 1-based number (0: the whole file).
struct DictionaryProblem {
  int line = 0;
  QString message;
  friend bool operator==(const DictionaryProblem&, const DictionaryProblem&) = default;
};

class ReadingDictionary {
 public:
  // The default file: "readings.tsv" in the per-user data folder, the same with or without a
  // QCoreApplication. Example: ~/.local/share/YOMIKA/readings.tsv.
  static QString DefaultPath();

  explicit ReadingDictionary(QString path);

  // Reads the file (a missing file is an empty dictionary). Bad lines are skipped and
  // reported in problems(). Returns false only when an existing file cannot be read; the
  // dictionary is then empty and Put/Remove refuse to write.
  bool Load();
  // Reads the file again when it changed on disk (time or size) since the last Load or save.
  void ReloadIfChanged();

  // One entry per word, in the order of the words' first lines; a later line for the same
  // word gives the reading.
  const QList<ReadingEntry>& entries() const { return entries_; }
  const QList<DictionaryProblem>& problems() const { return problems_; }
  const QString& path() const { return path_; }

  // The registered reading of exactly `word`.
  std::optional<QString> ReadingOf(const QString& word) const;

  // Adds the entry, or replaces the reading of an existing word; then saves. The file is
  // re-read first when it changed on disk, so entries another process added are kept.
  // Returns an error message on failure (the file keeps its previous content).
  std::optional<QString> Put(const ReadingEntry& entry);
  // Removes the word; then saves. Error message on failure; removing an absent word is no
  // failure and leaves the file untouched.
  std::optional<QString> Remove(const QString& word);

  // Whether `reading` is acceptable: not empty, hiragana or katakana (with ー) only.
  static bool IsValidReading(const QString& reading);

  // The reading with its katakana turned into hiragana; ー and katakana without a hiragana
  // form (ヷ) stay. Example: カンジー → かんじー.
  static QString ToHiragana(const QString& reading);

 private:
  // One line of the file as it was read (without its line end): its entry when valid, why it
  // was skipped when bad, neither for blank and comment lines.
  struct Line {
    QByteArray raw;
    std::optional<ReadingEntry> entry;
    std::optional<QString> problem;
  };

  // Reads the file into the members; false when an existing file cannot be read.
  bool Read();
  // Re-reads when the file changed; false when it changed and cannot be read.
  bool RefreshBeforeWrite();
  // Writes `lines` atomically and makes them current; error message on failure.
  std::optional<QString> Save(QList<Line> lines);
  void RebuildEntries();
  void RememberFileState();

  QString path_;
  QList<Line> lines_;
  QList<ReadingEntry> entries_;
  QHash<QString, qsizetype> index_;  // word → position in entries_
  QList<DictionaryProblem> problems_;
  std::optional<QString> file_problem_;  // why an existing file could not be read
  bool has_bom_ = false;
  bool crlf_ = false;
  QDateTime loaded_modified_;
  qint64 loaded_size_ = -1;  // -1: the file did not exist
};

}  // namespace yomika

#endif  // YOMIKA_READING_READING_DICTIONARY_H_
