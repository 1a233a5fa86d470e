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

enum class TextFileOutcome {
  kDone,
  kCancelled,  // the user cancelled a dialog or declined a question
  kFailed,     // the file could not be read or written; nothing was changed
};

// What a file command did and what the user is to be told.
struct TextFileResult {
  TextFileOutcome outcome = TextFileOutcome::kCancelled;
  QString path;      // the file read or written
  QString message;   // kFailed: why, naming the file; kDone: a warning, or empty
  int replaced = 0;  // opening: places the decoding turned into U+FFFD
};

// Asks for a .txt file and loads it into `pane` (all in the default colour). On cancel or
// failure the pane stays as it was; a file that is not a regular file, is larger than
// 256 MB, cannot be read or is not text fails with a message. A file whose decoding
// replaced some places is loaded, with a message saying how many.
TextFileResult OpenTextFile(RichTextPane& pane, QWidget* owner,
                            CommonDialogBackend& backend = DefaultCommonDialogBackend());

// Asks for a file name (".txt" appended when the name has none) and writes the pane's text
// with CR LF line breaks. Text CP932 cannot hold is saved as UTF-8 only after the user says
// yes; nothing is ever dropped. Replacing `damaged_file` (the file opened with `replaced`
// places lost to U+FFFD) needs the user's yes too. Cancel: no message; failure: a message
// naming the file and the reason. Either way existing files are untouched.
TextFileResult SaveTextFile(const RichTextPane& pane, QWidget* owner,
                            CommonDialogBackend& backend = DefaultCommonDialogBackend(),
                            const QString& damaged_file = QString(), int replaced = 0);

}  // namespace yomika

#endif  // YOMIKA_MAINWINDOW_TEXT_FILES_H_
