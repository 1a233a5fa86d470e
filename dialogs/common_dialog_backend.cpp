#include "dialogs/common_dialog_backend.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <utility>

namespace yomika {

std::optional<FileDialogAnswer> QtCommonDialogBackend::ChooseFile(
    const FileDialogRequest& request) {
  QFileDialog dialog(request.owner);
  // Left alone, the dialog shows its own "Open" / "Save As" caption.
  if (!request.title.isEmpty()) dialog.setWindowTitle(request.title);
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirm_overwrite);
  if (!request.initial_dir.isEmpty()) dialog.setDirectory(request.initial_dir);
  if (!request.name_filters.isEmpty()) {
    dialog.setNameFilters(request.name_filters);
    if (request.selected_filter >= 0 && request.selected_filter < request.name_filters.size()) {
      dialog.selectNameFilter(request.name_filters[request.selected_filter]);
    }
  }
  if (!request.default_suffix.isEmpty()) dialog.setDefaultSuffix(request.default_suffix);
  if (!request.initial_name.isEmpty()) dialog.selectFile(request.initial_name);

  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty() || files.first().isEmpty()) return std::nullopt;
  FileDialogAnswer answer;
  answer.path = QFileInfo(files.first()).absoluteFilePath();
  answer.filter_index = static_cast<int>(request.name_filters.indexOf(dialog.selectedNameFilter()));
  return answer;
}

std::optional<QColor> QtCommonDialogBackend::ChooseColor(QWidget* owner, const QString& title,
                                                         const QColor& initial) {
  // Every opening starts from a clean row of custom colours, all white.
  for (int i = 0; i < QColorDialog::customCount(); ++i) {
    QColorDialog::setCustomColor(i, QColor(Qt::white));
  }
  const QColor chosen = QColorDialog::getColor(initial, owner, title);
  if (!chosen.isValid()) return std::nullopt;
  return chosen;
}

std::optional<QFont> QtCommonDialogBackend::ChooseFont(const FontDialogRequest& request) {
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, request.initial, request.owner, request.title);
  if (!ok) return std::nullopt;
  return chosen;
}

std::optional<PrinterDialogValues> QtCommonDialogBackend::ChoosePrinter(
    QWidget* owner, const PrinterDialogValues& initial) {
  QPrinter printer;
  printer.setCopyCount(std::max(1, initial.copies));
  QPrintDialog dialog(&printer, owner);
  int min_page = initial.min_page;
  int max_page = initial.max_page;
  if (min_page > max_page) std::swap(min_page, max_page);
  if (max_page > 0) dialog.setMinMax(std::max(1, min_page), max_page);
  if (initial.from_page > 0 && initial.from_page <= initial.to_page) {
    dialog.setFromTo(initial.from_page, initial.to_page);
    dialog.setPrintRange(QAbstractPrintDialog::PageRange);
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  PrinterDialogValues values;
  values.from_page = printer.fromPage();
  values.to_page = printer.toPage();
  values.min_page = dialog.minPage();
  values.max_page = dialog.maxPage();
  values.copies = printer.copyCount();
  return values;
}

bool QtCommonDialogBackend::OpenUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

bool QtCommonDialogBackend::AskYesNo(QWidget* owner, const QString& title, const QString& text) {
  return QMessageBox::question(owner, title, text, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

std::optional<bool> QtCommonDialogBackend::AskYesNoCancel(QWidget* owner, const QString& title,
                                                          const QString& text) {
  QMessageBox box(QMessageBox::Question, title, text,
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, owner);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("はい"));
  box.button(QMessageBox::No)->setText(QStringLiteral("いいえ"));
  box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return true;
    case QMessageBox::No:
      return false;
    default:
      return std::nullopt;
  }
}

CommonDialogBackend& DefaultCommonDialogBackend() {
  static QtCommonDialogBackend backend;
  return backend;
}

}  // namespace yomika
