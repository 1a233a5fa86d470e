#ifndef YOMIKA_DIALOGS_COM_DIALOG_ERROR_H_
#define YOMIKA_DIALOGS_COM_DIALOG_ERROR_H_

// The error C_ComDialog raises when the user cancels a dialog while CancelError is set.
// It stays inside the dialog wrapper's callers (they catch it right after the Show call).

#include <QString>
#include <cstdint>
#include <exception>
#include <string>
#include <utility>

namespace yomika {

// Error numbers the wrapper raises.
inline constexpr std::int32_t kComDialogCancelNumber = 2001;           // file, font, printer
inline constexpr std::int32_t kColorDialogCancelNumber = -2147220610;  // colour

class ComDialogCancelError : public std::exception {
 public:
  ComDialogCancelError(std::int32_t number, QString description)
      : number_(number),
        description_(std::move(description)),
        what_(description_.isEmpty() ? std::string("dialog cancelled")
                                     : description_.toStdString()) {}

  std::int32_t number() const noexcept { return number_; }
  const QString& description() const noexcept { return description_; }
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  std::int32_t number_;
  QString description_;
  std::string what_;
};

}  // namespace yomika

#endif  // YOMIKA_DIALOGS_COM_DIALOG_ERROR_H_
