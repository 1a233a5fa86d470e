#include "mainwindow/text_files.h"

#include <QFileInfo>

#include "dialogs/c_com_dialog.h"
#include "encoding/atomic_file.h"
#include "encoding/file_reader.h"
#include "encoding/text_codec.h"
#include "widgets/rich_text_pane.h"

namespace yomika {
namespace {

// A dialog wrapper set up the same way for opening and saving.
void Prepare(C_ComDialog& dialog, QWidget* owner) {
  dialog.Setflags(kTextFileDialogFlags);
  dialog.SetFilter(TextFileFilter());
  dialog.SetFilterIndex(1);
  dialog.SetCancelError(true);
  dialog.SethwndOwner(owner);
}

}  // namespace

QString TextFileFilter() { return QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt"); }

QString CompleteTxtName(const QString& path) {
  if (path.contains(QLatin1String(".txt"))) return path;
  return path + QLatin1String(".txt");
}

TextFileResult OpenTextFile(RichTextPane& pane, QWidget* owner, CommonDialogBackend& backend) {
  C_ComDialog dialog(backend);
  Prepare(dialog, owner);
  try {
    dialog.ShowOpen();
  } catch (const ComDialogCancelError&) {
    return {};
  }
  const QString path = dialog.FileName();
  if (path.isEmpty()) return {};

  QByteArray bytes;
  if (const std::optional<QString> problem = ReadRegularFile(path, bytes)) {
    return {TextFileOutcome::kFailed, path,
            QStringLiteral("%1 を開けません: %2。").arg(path, *problem)};
  }
  DecodedInput decoded = DecodeInput(bytes);
  bytes.clear();
  if (decoded.encoding == InputEncoding::kBinary) {
    return {TextFileOutcome::kFailed, path, DescribeDecoding(path, decoded)};
  }
  pane.SetText(decoded.text);
  QString message = DescribeDecoding(path, decoded);
  if (!message.isEmpty()) {
    message +=
        QStringLiteral("\nこのファイルに上書き保存すると、その箇所の元のバイトは失われます。");
  }
  return {TextFileOutcome::kDone, path, message, decoded.invalid_count};
}

TextFileResult SaveTextFile(const RichTextPane& pane, QWidget* owner, CommonDialogBackend& backend,
                            const QString& damaged_file, int replaced) {
  C_ComDialog dialog(backend);
  Prepare(dialog, owner);
  try {
    dialog.ShowSave();
  } catch (const ComDialogCancelError&) {
    return {};
  }
  const QString chosen = dialog.FileName();
  if (chosen.isEmpty()) return {};
  const QString path = CompleteTxtName(chosen);

  const std::optional<QByteArray> bytes = EncodeTextFile(pane.Text(), [&] {
    return backend.AskYesNo(
        owner, QStringLiteral("保存"),
        QStringLiteral("この文章にはShift-JISで保存できない文字が含まれています。"
                       "UTF-8で保存しますか？"));
  });
  if (!bytes) return {};

  // The dialog only confirmed replacing the name the user picked; when ".txt" was added,
  // the file actually written may be another existing one.
  if (path != chosen && QFileInfo::exists(path) &&
      !backend.AskYesNo(
          owner, QStringLiteral("保存"),
          QStringLiteral("%1 は既にあります。上書きしますか？").arg(QFileInfo(path).fileName()))) {
    return {};
  }
  if (replaced > 0 && !damaged_file.isEmpty() && QFileInfo(path) == QFileInfo(damaged_file) &&
      !backend.AskYesNo(owner, QStringLiteral("保存"),
                        QStringLiteral("%1 は開いたときに %2 か所を U+FFFD（\uFFFD）に置き換えて"
                                       "います。上書きすると、その箇所の元のバイトは失われます。"
                                       "上書きしますか？")
                            .arg(QFileInfo(path).fileName())
                            .arg(replaced))) {
    return {};
  }
  if (const std::optional<QString> problem = WriteFileAtomically(path, *bytes)) {
    return {TextFileOutcome::kFailed, path,
            QStringLiteral("%1 に保存できませんでした: %2。\n文章はそのまま残っています。")
                .arg(path, *problem)};
  }
  return {TextFileOutcome::kDone, path, QString()};
}

}  // namespace yomika
