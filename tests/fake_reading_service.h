#ifndef YOMIKA_TESTS_FAKE_READING_SERVICE_H_
#define YOMIKA_TESTS_FAKE_READING_SERVICE_H_

// A scripted reading service for engine tests: answers from a table and records every call.

#include <QHash>
#include <QString>
#include <QStringList>

#include "engine/reading_service.h"

namespace yomika::testing {

class FakeReadingService final : public ReadingService {
 public:
  // Answers `reading` for the lookup string `text`.
  void Answer(const QString& text, const QString& reading) { answers_.insert(text, reading); }
  // Lookups without an answer: echo the lookup (a stand-in that keeps kana as written) when
  // true, fail when false.
  void EchoUnknown(bool echo) { echo_unknown_ = echo; }
  void FailOpen(bool fail) { fail_open_ = fail; }
  void FailClose(bool fail) { fail_close_ = fail; }

  bool Open() override;
  std::optional<QString> GetPhonetic(const QString& text, int start, int length) override;
  bool Close() override;
  void PrepareConversion(const QString& working_text) override { hint_ = working_text; }

  // "Open", "GetPhonetic:<text>", "Close" in call order.
  const QStringList& calls() const { return calls_; }
  const QString& hint() const { return hint_; }
  bool is_open() const { return open_; }

 private:
  QHash<QString, QString> answers_;
  bool echo_unknown_ = false;
  bool fail_open_ = false;
  bool fail_close_ = false;
  bool open_ = false;
  QStringList calls_;
  QString hint_;
};

}  // namespace yomika::testing

#endif  // YOMIKA_TESTS_FAKE_READING_SERVICE_H_
