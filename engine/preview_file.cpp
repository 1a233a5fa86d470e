#include "engine/preview_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

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
  QSaveFile file(path);
  // Unbuffered, so that a short write is seen here and the file is not committed.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    return Failure{QStringLiteral("%1 に書き込めません: %2").arg(path, file.errorString())};
  }
  const QByteArray bytes = EncodePreviewDocument(document);
  if (file.write(bytes) != bytes.size() || !file.commit()) {
    return Failure{QStringLiteral("%1 に書き込めません: %2").arg(path, file.errorString())};
  }
  return Ok();
}

}  // namespace yomika
