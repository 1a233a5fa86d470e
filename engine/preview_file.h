#ifndef YOMIKA_ENGINE_PREVIEW_FILE_H_
#define YOMIKA_ENGINE_PREVIEW_FILE_H_

// The preview file "sample.html" that the preview pane shows.

#include <QByteArray>
#include <QString>

#include "engine/outcome.h"

namespace yomika {

inline constexpr char kPreviewFileName[] = "sample.html";

// The folder for the preview file: the program's folder when it is writable, otherwise the
// per-user data folder (an installed program's folder usually is not writable).
QString ChoosePreviewFolder(const QString& program_folder, const QString& user_data_folder);

// The preview file's path for the running program (needs a QCoreApplication).
QString PreviewFilePath();

// The document's bytes as the preview file holds them: code page 932, every character
// without a CP932 form written as a numeric character reference (&#x20BB7;).
QByteArray EncodePreviewDocument(const QString& document);

// Writes the document atomically: a failed write leaves the previous file as it was.
Status WritePreviewFile(const QString& path, const QString& document);

}  // namespace yomika

#endif  // YOMIKA_ENGINE_PREVIEW_FILE_H_
