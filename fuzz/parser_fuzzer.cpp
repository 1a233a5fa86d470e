// Feeds random bytes as the two files the user edits by hand: the reading dictionary and the
// settings file (an INI file read through the settings store and every typed reader). Any
// crash, sanitizer report or broken invariant is a finding.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/engine_settings.h"
#include "reading/reading_dictionary.h"
#include "settings/setting_keys.h"
#include "settings/setting_readers.h"
#include "settings/settings_store.h"

namespace yomika {
namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// A folder in memory when /dev/shm is there: the parsers, not the disk, are under test.
const QTemporaryDir& Folder() {
  static const QTemporaryDir folder(QDir(QStringLiteral("/dev/shm")).exists()
                                        ? QStringLiteral("/dev/shm/yomika-fuzz-XXXXXX")
                                        : QDir::tempPath() + QStringLiteral("/yomika-fuzz-XXXXXX"));
  return folder;
}

void Write(const QString& path, QByteArrayView bytes) {
  QFile file(path);
  Check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  Check(file.write(bytes.data(), bytes.size()) == bytes.size());
}

void ParseReadingDictionary(QByteArrayView bytes) {
  const QString path = Folder().filePath(QStringLiteral("readings.tsv"));
  Write(path, bytes);
  ReadingDictionary dictionary(path);
  Check(dictionary.Load());
  for (const ReadingEntry& entry : dictionary.entries()) {
    Check(!entry.word.isEmpty() && ReadingDictionary::IsValidReading(entry.reading));
    Check(dictionary.ReadingOf(entry.word) == entry.reading);
  }
  for (const DictionaryProblem& problem : dictionary.problems()) {
    Check(problem.line >= 1 && !problem.message.isEmpty());
  }
}

void ParseSettings(QByteArrayView bytes) {
  // A new name each time: QSettings keeps parsed files by name and would not read again.
  static quint64 serial = 0;
  const QString path = Folder().filePath(QStringLiteral("s%1.ini").arg(++serial));
  Write(path, bytes);
  {
    const SettingsStore store(path);
    Check(!store.Problem());
    // Every value through every typed parser, whatever type its key has.
    for (const SettingKey& key : AllSettingKeys()) {
      const QString text = store.Get(key);
      if (const std::optional<int> number = ParseInt16(text)) {
        Check(*number >= -32768 && *number <= 32767);
      }
      ParseWholeNumber(text);
      ParseTruth(text);
      ParseFlag(text);
    }
    EngineSettings::Read(store);
  }
  QFile::remove(path);
}

}  // namespace
}  // namespace yomika

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  yomika::ParseReadingDictionary(bytes);
  yomika::ParseSettings(bytes);
  return 0;
}
