#include "mainwindow/text_files.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "dialogs/c_com_dialog.h"
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

bool WriteFileAtomically(const QString& path, const QByteArray& bytes) {
  // QSaveFile writes a temporary file next to the target and renames it over the target only
  // after every byte is written, so a full disk or a bad path never leaves half a file.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    file.commit();  // discards the temporary file
    return false;
  }
  return file.commit();
}

TextFileOutcome OpenTextFile(RichTextPane& pane, QWidget* owner, CommonDialogBackend& backend) {
  C_ComDialog dialog(backend);
  Prepare(dialog, owner);
  try {
    dialog.ShowOpen();
  } catch (const ComDialogCancelError&) {
    return TextFileOutcome::kCancelled;
  }
  const QString path = dialog.FileName();
  if (path.isEmpty()) return TextFileOutcome::kCancelled;

  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return TextFileOutcome::kFailed;
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return TextFileOutcome::kFailed;
  pane.SetText(DecodeInput(bytes).text);
  return TextFileOutcome::kDone;
}

TextFileOutcome SaveTextFile(const RichTextPane& pane, QWidget* owner,
                             CommonDialogBackend& backend) {
  C_ComDialog dialog(backend);
  Prepare(dialog, owner);
  try {
    dialog.ShowSave();
  } catch (const ComDialogCancelError&) {
    return TextFileOutcome::kCancelled;
  }
  const QString chosen = dialog.FileName();
  if (chosen.isEmpty()) return TextFileOutcome::kCancelled;
  const QString path = CompleteTxtName(chosen);

  const std::optional<QByteArray> bytes = EncodeTextFile(pane.Text(), [&] {
    return backend.AskYesNo(
        owner, QStringLiteral("保存"),
        QStringLiteral("この文章にはShift-JISで保存できない文字が含まれています。"
                       "UTF-8で保存しますか？"));
  });
  if (!bytes) return TextFileOutcome::kCancelled;

  // The dialog only confirmed replacing the name the user picked; when ".txt" was added,
  // the file actually written may be another existing one.
  if (path != chosen && QFileInfo::exists(path) &&
      !backend.AskYesNo(
          owner, QStringLiteral("保存"),
          QStringLiteral("%1 は既にあります。上書きしますか？").arg(QFileInfo(path).fileName()))) {
    return TextFileOutcome::kCancelled;
  }
  return WriteFileAtomically(path, *bytes) ? TextFileOutcome::kDone : TextFileOutcome::kFailed;
}

}  // namespace yomika
