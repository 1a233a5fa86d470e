#ifndef YOMIKA_READING_LEXICON_TEST_UTIL_H_
#define YOMIKA_READING_LEXICON_TEST_UTIL_H_

// For tests: the reading service with a small EDICT of the test's own and the system's MeCab.

#include <gtest/gtest.h>

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <memory>

#include "reading/mecab_reading_service.h"

namespace yomika::testing {

// Writes `lines` (EDICT lines) EUC-JP encoded into `dir` and makes a service that reads them;
// nullptr, with a failure recorded, when that does not work.
inline std::unique_ptr<ReadingService> ServiceWithLexicon(const QTemporaryDir& dir,
                                                          const QString& lines) {
  const QString path = dir.filePath(QStringLiteral("edict"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    ADD_FAILURE() << "cannot write " << path.toStdString();
    return nullptr;
  }
  QStringEncoder encoder("EUC-JP");
  file.write(encoder(lines));
  file.close();
  MecabOptions options;
  options.user_dictionary_path = dir.filePath(QStringLiteral("readings.tsv"));
  options.compound_dictionary_path = path;
  auto made = CreateMecabReadingService(options);
  if (!made.ok()) {
    ADD_FAILURE() << made.reason().toStdString();
    return nullptr;
  }
  return std::move(made).value();
}

// The reading of `lookup` looked up on its own; "(failed)" when there is none.
inline std::string ReadAlone(ReadingService& service, const char* lookup) {
  service.PrepareConversion(QString());
  const auto reading = service.GetPhonetic(QString::fromUtf8(lookup), 1, -1);
  return reading ? reading->toStdString() : std::string("(failed)");
}

}  // namespace yomika::testing

#endif  // YOMIKA_READING_LEXICON_TEST_UTIL_H_
