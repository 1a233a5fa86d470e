#include "mainwindow/export_target.h"

#include <QFileInfo>

namespace yomika {

QStringList ExportFilters() {
  return {QStringLiteral("HTML（Shift-JIS） (*.html *.htm)"),
          QStringLiteral("HTML5（UTF-8） (*.html *.htm)"),
          QStringLiteral("青空文庫形式のテキスト（UTF-8） (*.txt)"),
          QStringLiteral("括弧書きのテキスト（UTF-8） (*.txt)")};
}

OutputFormat ExportFormatAt(int index) {
  if (index < 0 || index >= static_cast<int>(std::size(kOutputFormats))) {
    return OutputFormat::kHtml;
  }
  return kOutputFormats[index];
}

QString CompleteExportName(const QString& path, OutputFormat format) {
  if (!QFileInfo(path).suffix().isEmpty()) return path;
  return path + QLatin1Char('.') + FileExtension(format);
}

std::optional<ExportTarget> ChooseExportTarget(QWidget* owner, CommonDialogBackend& backend) {
  FileDialogRequest request;
  request.owner = owner;
  request.save = true;
  request.confirm_overwrite = true;
  request.title = QStringLiteral("書き出し");
  request.name_filters = ExportFilters();
  request.selected_filter = 0;
  const std::optional<FileDialogAnswer> answer = backend.ChooseFile(request);
  if (!answer || answer->path.isEmpty()) return std::nullopt;

  const OutputFormat format = ExportFormatAt(answer->filter_index);
  const QString path = CompleteExportName(answer->path, format);
  // The dialog only confirmed replacing the name the user picked.
  if (path != answer->path && QFileInfo::exists(path) &&
      !backend.AskYesNo(
          owner, request.title,
          QStringLiteral("%1 は既にあります。上書きしますか？").arg(QFileInfo(path).fileName()))) {
    return std::nullopt;
  }
  return ExportTarget{path, format};
}

}  // namespace yomika
