#include "mainwindow/text_files.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringConverter>
#include <QStringDecoder>

#include "dialogs/c_com_dialog.h"
#include "platform/cp932.h"
#include "platform/rich_text_pane.h"

namespace yomika {
namespace {

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

QString DecodeAll(QStringConverter::Encoding encoding, QByteArrayView bytes) {
  QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
  return decoder.decode(bytes);
}

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

QString DecodeTextFile(QByteArrayView bytes) {
  if (bytes.startsWith(QByteArrayView(kUtf8Bom))) {
    return DecodeAll(QStringConverter::Utf8, bytes.sliced(3));
  }
  if (bytes.startsWith("\xFF\xFE")) return DecodeAll(QStringConverter::Utf16LE, bytes.sliced(2));
  if (bytes.startsWith("\xFE\xFF")) return DecodeAll(QStringConverter::Utf16BE, bytes.sliced(2));
  // Japanese CP932 text is practically never valid UTF-8, and plain ASCII reads the same
  // either way, so valid UTF-8 is taken as UTF-8.
  QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  return cp932::Decode(bytes);
}

QByteArray EncodeUtf8WithBom(QStringView text) { return QByteArray(kUtf8Bom) + text.toUtf8(); }

std::optional<QByteArray> EncodeTextFile(QStringView text,
                                         const std::function<bool()>& utf8_allowed) {
  if (std::optional<QByteArray> bytes = cp932::Encode(text)) return bytes;
  if (utf8_allowed && utf8_allowed()) return EncodeUtf8WithBom(text);
  return std::nullopt;
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
  pane.SetText(DecodeTextFile(bytes));
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
