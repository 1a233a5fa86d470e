#ifndef YOMIKA_DIALOGS_COMMON_DIALOG_BACKEND_H_
#define YOMIKA_DIALOGS_COMMON_DIALOG_BACKEND_H_

// What actually shows the common dialogs. C_ComDialog fills a request from its properties and
// reads the answer back; tests put a scripted backend in place of the Qt one.

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

class QWidget;

namespace yomika {

struct FileDialogRequest {
  QWidget* owner = nullptr;
  bool save = false;               // false: pick an existing file; true: name any file
  bool confirm_overwrite = false;  // save only: ask before replacing an existing file
  QString title;                   // empty: the system's default caption
  QString initial_dir;
  QString initial_name;      // already trimmed
  QString default_suffix;    // without the dot; empty: none
  QStringList name_filters;  // Qt form, "Label (*.txt *.log)"
  int selected_filter = -1;  // 0-based index into name_filters, -1: the first
};

struct FileDialogAnswer {
  QString path;           // absolute
  int filter_index = -1;  // 0-based index of the filter in use, -1 when unknown
};

struct FontDialogRequest {
  QWidget* owner = nullptr;
  QString title;
  QFont initial;
};

struct PrinterDialogValues {
  int from_page = 0;
  int to_page = 0;
  int min_page = 0;
  int max_page = 0;
  int copies = 1;
};

class CommonDialogBackend {
 public:
  virtual ~CommonDialogBackend() = default;

  // The chosen file, or std::nullopt when cancelled.
  virtual std::optional<FileDialogAnswer> ChooseFile(const FileDialogRequest& request) = 0;
  // The chosen colour, or std::nullopt when cancelled.
  virtual std::optional<QColor> ChooseColor(QWidget* owner, const QString& title,
                                            const QColor& initial) = 0;
  // The chosen font, or std::nullopt when cancelled.
  virtual std::optional<QFont> ChooseFont(const FontDialogRequest& request) = 0;
  // The page range and copies the user confirmed, or std::nullopt when cancelled.
  virtual std::optional<PrinterDialogValues> ChoosePrinter(QWidget* owner,
                                                           const PrinterDialogValues& initial) = 0;
  // Hands `url` to the desktop; false when nothing could open it.
  virtual bool OpenUrl(const QUrl& url) = 0;
  // A Yes/No question; true for Yes.
  virtual bool AskYesNo(QWidget* owner, const QString& title, const QString& text) = 0;
  // A question with はい / いいえ / キャンセル: true, false, std::nullopt (also for Escape
  // and the close box).
  virtual std::optional<bool> AskYesNoCancel(QWidget* owner, const QString& title,
                                             const QString& text) = 0;
};

// The backend on the real Qt dialogs, QDesktopServices and QMessageBox.
class QtCommonDialogBackend final : public CommonDialogBackend {
 public:
  std::optional<FileDialogAnswer> ChooseFile(const FileDialogRequest& request) override;
  std::optional<QColor> ChooseColor(QWidget* owner, const QString& title,
                                    const QColor& initial) override;
  std::optional<QFont> ChooseFont(const FontDialogRequest& request) override;
  std::optional<PrinterDialogValues> ChoosePrinter(QWidget* owner,
                                                   const PrinterDialogValues& initial) override;
  bool OpenUrl(const QUrl& url) override;
  bool AskYesNo(QWidget* owner, const QString& title, const QString& text) override;
  std::optional<bool> AskYesNoCancel(QWidget* owner, const QString& title,
                                     const QString& text) override;
};

// The process-wide Qt backend, the default for C_ComDialog.
CommonDialogBackend& DefaultCommonDialogBackend();

}  // namespace yomika

#endif  // YOMIKA_DIALOGS_COMMON_DIALOG_BACKEND_H_
