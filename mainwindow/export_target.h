#ifndef YOMIKA_MAINWINDOW_EXPORT_TARGET_H_
#define YOMIKA_MAINWINDOW_EXPORT_TARGET_H_

// The file and format of ﾌｧｲﾙ → 書き出し…: a save dialog with one filter per output format.

#include <QString>
#include <QStringList>
#include <optional>

#include "dialogs/common_dialog_backend.h"
#include "engine/output_format.h"

class QWidget;

namespace yomika {

// The dialog's filters, one per output format in kOutputFormats order, each naming the
// encoding the file gets: "HTML（Shift-JIS） (*.html *.htm)", "HTML5（UTF-8） (*.html *.htm)",
// "青空文庫形式のテキスト（UTF-8） (*.txt)", "括弧書きのテキスト（UTF-8） (*.txt)".
QStringList ExportFilters();

// The format of the filter at the 0-based `index`; html for an index the dialog did not know.
OutputFormat ExportFormatAt(int index);

// The path with the format's extension appended when its file name has none.
// Example: "a", aozora → "a.txt"; "a.htm", html → "a.htm"; "a.b", html5 → "a.b".
QString CompleteExportName(const QString& path, OutputFormat format);

struct ExportTarget {
  QString path;
  OutputFormat format = OutputFormat::kHtml;
};

// Asks for the file and its format. std::nullopt when the user cancels the dialog, or
// declines to replace an existing file that only the appended extension names.
std::optional<ExportTarget> ChooseExportTarget(QWidget* owner, CommonDialogBackend& backend);

}  // namespace yomika

#endif  // YOMIKA_MAINWINDOW_EXPORT_TARGET_H_
