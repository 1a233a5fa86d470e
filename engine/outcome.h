#ifndef YOMIKA_ENGINE_OUTCOME_H_
#define YOMIKA_ENGINE_OUTCOME_H_

// Result of an engine step that can fail: a value, or the reason it could not be made.
// The reason is for logs and the command-line converter; the window shows its own message.

#include <QString>
#include <utility>
#include <variant>

namespace yomika {

struct Failure {
  QString reason;
};

template <typename T>
class Outcome {
 public:
  Outcome(T value) : state_(std::move(value)) {}              // NOLINT: implicit by design
  Outcome(Failure failure) : state_(std::move(failure)) {}    // NOLINT: implicit by design

  bool ok() const { return std::holds_alternative<T>(state_); }
  explicit operator bool() const { return ok(); }
  const T& value() const& { return std::get<T>(state_); }
  T&& value() && { return std::get<T>(std::move(state_)); }
  const T& operator*() const& { return value(); }
  const T* operator->() const { return &value(); }
  const QString& reason() const { return std::get<Failure>(state_).reason; }

 private:
  std::variant<T, Failure> state_;
};

// An operation that yields nothing but may fail.
using Status = Outcome<std::monostate>;
inline Status Ok() { return std::monostate{}; }

}  // namespace yomika

#endif  // YOMIKA_ENGINE_OUTCOME_H_
