#include "tests/fake_reading_service.h"

namespace yomika::testing {

bool FakeReadingService::Open() {
  calls_.append(QStringLiteral("Open"));
  if (fail_open_) return false;
  open_ = true;
  return true;
}

std::optional<QString> FakeReadingService::GetPhonetic(const QString& text, int start,
                                                       int length) {
  calls_.append(QStringLiteral("GetPhonetic:") + text);
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

}  // namespace yomika::testing
