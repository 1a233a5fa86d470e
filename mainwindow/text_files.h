#ifndef YOMIKA_MAINWINDOW_TEXT_FILES_H_
#define YOMIKA_MAINWINDOW_TEXT_FILES_H_

// Opening a text file into the input pane and saving the pane's text, through the common
// dialog wrapper. Files are written in CP932 (Shift-JIS) when every character fits, and in
// UTF-8 with a byte order mark when the user agrees to it; they are read through the one text
// decoder (encoding/text_codec.h).

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <functional>
#include <optional>

#include "dialogs/common_dialog_backend.h"

class QWidget;

namespace yomika {

class RichTextPane;

// The dialog settings both commands use: overwrite prompt, hidden read-only box, no folder
// change, file must exist (open only).
inline constexpr std::int32_t kTextFileDialogFlags = 5134;  // 0x140E
QString TextFileFilter();  // "ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt"

// Appends ".txt" unless the path already contains ".txt" anywhere (case-sensitive).
// Example: "memo" → "memo.txt", "memo.TXT" → "memo.TXT.txt", "memo.txt.bak" unchanged.
QString CompleteTxtName(const QString& path);

// Replaces `path` with `bytes` all at once: on any failure the previous file stays as it was.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes);

enum class TextFileOutcome {
  kDone,
  kCancelled,  // the user cancelled a dialog or declined a question
  kFailed,     // the file could not be read or written; nothing was changed
};

// Asks for a .txt file and loads it into `pane` (all in the default colour). Ends without a
// message and leaves the pane alone on cancel or failure; the outcome tells which.
TextFileOutcome OpenTextFile(RichTextPane& pane, QWidget* owner,
                             CommonDialogBackend& backend = DefaultCommonDialogBackend());

// Asks for a file name (".txt" appended when the name has none) and writes the pane's text
// with CR LF line breaks. Text CP932 cannot hold is saved as UTF-8 only after the user says
// yes; nothing is ever dropped. Cancel or failure: no message, existing files untouched.
TextFileOutcome SaveTextFile(const RichTextPane& pane, QWidget* owner,
                             CommonDialogBackend& backend = DefaultCommonDialogBackend());

}  // namespace yomika

#endif  // YOMIKA_MAINWINDOW_TEXT_FILES_H_
