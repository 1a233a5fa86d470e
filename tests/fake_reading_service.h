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
  // Review mode: accepted when `supported`; in it, TakeRunReview answers the review scripted
  // for the last lookup string (std::nullopt when none is).
  void SupportReview(bool supported) { review_supported_ = supported; }
  void Review(const QString& text, const RunReview& review) { reviews_.insert(text, review); }

  bool Open() override;
  std::optional<QString> GetPhonetic(const QString& text, int start, int length) override;
  bool Close() override;
  using ReadingService::PrepareConversion;
  void PrepareConversion(const Text& working_text) override { hint_ = ToQString(working_text); }
  bool SetReviewing(bool on) override;
  std::optional<RunReview> TakeRunReview() override;

  // "Open", "GetPhonetic:<text>", "Close" in call order.
  const QStringList& calls() const { return calls_; }
  const QString& hint() const { return hint_; }
  bool is_open() const { return open_; }
  bool reviewing() const { return reviewing_; }

 private:
  QHash<QString, QString> answers_;
  QHash<QString, RunReview> reviews_;
  bool review_supported_ = false;
  bool reviewing_ = false;
  QString last_lookup_;
  bool review_taken_ = false;  // TakeRunReview was called since the last lookup
  bool echo_unknown_ = false;
  bool fail_open_ = false;
  bool fail_close_ = false;
  bool open_ = false;
  QStringList calls_;
  QString hint_;
};

}  // namespace yomika::testing

#endif  // YOMIKA_TESTS_FAKE_READING_SERVICE_H_
