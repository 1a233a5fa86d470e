#include "engine/preview_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "encoding/atomic_file.h"
#include "encoding/cp932.h"

namespace yomika {

QString ChoosePreviewFolder(const QString& program_folder, const QString& user_data_folder) {
  const QFileInfo folder(program_folder);
  if (folder.isDir() && folder.isWritable()) return program_folder;
  return user_data_folder;
}

QString PreviewFilePath() {
  const QString folder =
      ChoosePreviewFolder(QCoreApplication::applicationDirPath(),
                          QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
  return QDir(folder).filePath(QString::fromLatin1(kPreviewFileName));
}

QByteArray EncodePreviewDocument(const QString& document) {
  return cp932::EncodeWithCharacterReferences(document);
}

Status WritePreviewFile(const QString& path, const QString& document) {
  const QString folder = QFileInfo(path).absolutePath();
  if (!QDir().mkpath(folder)) {
    return Failure{QStringLiteral("フォルダ %1 を作成できません。").arg(folder)};
  }
  if (const std::optional<QString> problem =
          WriteFileAtomically(path, EncodePreviewDocument(document))) {
    return Failure{QStringLiteral("%1 に書き込めません: %2。").arg(path, *problem)};
  }
  return Ok();
}

}  // namespace yomika
