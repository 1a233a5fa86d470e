#include "tests/fake_reading_service.h"

namespace yomika::testing {

bool FakeReadingService::Open() {
  calls_.append(QStringLiteral("Open"));
  if (fail_open_) return false;
  open_ = true;
  return true;
}

std::optional<QString> FakeReadingService::GetPhonetic(const QString& text, int start, int length) {
  calls_.append(QStringLiteral("GetPhonetic:") + text);
  last_lookup_ = text;
  review_taken_ = false;
  if (!open_ || start != 1 || length != -1) return std::nullopt;
  if (const auto it = answers_.constFind(text); it != answers_.constEnd()) return *it;
  if (echo_unknown_) return text;
  return std::nullopt;
}

bool FakeReadingService::Close() {
  calls_.append(QStringLiteral("Close"));
  open_ = false;
  return !fail_close_;
}

bool FakeReadingService::SetReviewing(bool on) {
  reviewing_ = on && review_supported_;
  return reviewing_ == on;
}

std::optional<RunReview> FakeReadingService::TakeRunReview() {
  if (!reviewing_ || review_taken_) return std::nullopt;
  review_taken_ = true;
  if (const auto it = reviews_.constFind(last_lookup_); it != reviews_.constEnd()) return *it;
  return std::nullopt;
}

}  // namespace yomika::testing
