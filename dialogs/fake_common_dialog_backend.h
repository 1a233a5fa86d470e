#ifndef YOMIKA_DIALOGS_FAKE_COMMON_DIALOG_BACKEND_H_
#define YOMIKA_DIALOGS_FAKE_COMMON_DIALOG_BACKEND_H_

// A scripted CommonDialogBackend for tests: returns the answers set beforehand (std::nullopt
// plays a press of Cancel) and records every request.

#include <QList>
#include <QStringList>
#include <optional>

#include "dialogs/common_dialog_backend.h"

namespace yomika::testing {

class FakeCommonDialogBackend final : public CommonDialogBackend {
 public:
  std::optional<FileDialogAnswer> file_answer;
  std::optional<QColor> color_answer;
  std::optional<QFont> font_answer;
  std::optional<PrinterDialogValues> printer_answer;
  bool open_url_succeeds = true;
  bool yes_no_answer = false;
  std::optional<bool> yes_no_cancel_answer;

  QList<FileDialogRequest> file_requests;
  QList<QColor> color_requests;
  QList<FontDialogRequest> font_requests;
  QList<PrinterDialogValues> printer_requests;
  QList<QUrl> opened_urls;
  QStringList questions;  // the text of every Yes/No and Yes/No/Cancel question

  std::optional<FileDialogAnswer> ChooseFile(const FileDialogRequest& request) override {
    file_requests.append(request);
    return file_answer;
  }
  std::optional<QColor> ChooseColor(QWidget*, const QString&, const QColor& initial) override {
    color_requests.append(initial);
    return color_answer;
  }
  std::optional<QFont> ChooseFont(const FontDialogRequest& request) override {
    font_requests.append(request);
    return font_answer;
  }
  std::optional<PrinterDialogValues> ChoosePrinter(QWidget*,
                                                   const PrinterDialogValues& initial) override {
    printer_requests.append(initial);
    return printer_answer;
  }
  bool OpenUrl(const QUrl& url) override {
    opened_urls.append(url);
    return open_url_succeeds;
  }
  bool AskYesNo(QWidget*, const QString&, const QString& text) override {
    questions.append(text);
    return yes_no_answer;
  }
  std::optional<bool> AskYesNoCancel(QWidget*, const QString&, const QString& text) override {
    questions.append(text);
    return yes_no_cancel_answer;
  }
};

}  // namespace yomika::testing

#endif  // YOMIKA_DIALOGS_FAKE_COMMON_DIALOG_BACKEND_H_
