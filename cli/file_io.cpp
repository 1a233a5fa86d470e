#include "cli/file_io.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>

namespace yomika::cli {

QString DisplayName(const QString& input) {
  return input == QLatin1String("-") ? QStringLiteral("標準入力") : input;
}

std::optional<QString> CheckInput(const QString& input) {
  if (input == QLatin1String("-")) return std::nullopt;
  const QFileInfo info(input);
  if (!info.exists()) return QStringLiteral("入力ファイル %1 がありません。").arg(input);
  if (info.isDir()) return QStringLiteral("入力 %1 はフォルダです。").arg(input);
  if (!info.isReadable()) return QStringLiteral("入力ファイル %1 を読めません。").arg(input);
  return std::nullopt;
}

Outcome<QByteArray> ReadInputBytes(const QString& input) {
  if (const std::optional<QString> problem = CheckInput(input)) return Failure{*problem};
  const bool standard_input = input == QLatin1String("-");
  QFile file(standard_input ? QString() : input);
  const bool opened = standard_input
                          ? file.open(stdin, QIODevice::ReadOnly, QFileDevice::DontCloseHandle)
                          : file.open(QIODevice::ReadOnly);
  if (!opened) {
    return Failure{
        QStringLiteral("%1 を読めません: %2").arg(DisplayName(input), file.errorString())};
  }
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    return Failure{
        QStringLiteral("%1 を読めません: %2").arg(DisplayName(input), file.errorString())};
  }
  return bytes;
}

Status WriteOutputBytes(const QString& output, const QByteArray& bytes) {
  if (output.isEmpty()) {
    const std::size_t size = static_cast<std::size_t>(bytes.size());
    if (std::fwrite(bytes.constData(), 1, size, stdout) != size || std::fflush(stdout) != 0) {
      return Failure{QStringLiteral("標準出力に書き込めません。")};
    }
    return Ok();
  }
  const QString folder = QFileInfo(output).absolutePath();
  if (!QDir().mkpath(folder)) {
    return Failure{QStringLiteral("出力先のフォルダ %1 を作成できません。").arg(folder)};
  }
  // Unbuffered: Qt 6.4 commits a buffered QSaveFile even when its final flush was cut short
  // (full disk), so the short write has to be seen here, before commit.
  QSaveFile file(output);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
      file.write(bytes) != bytes.size() || !file.commit()) {
    return Failure{QStringLiteral("%1 に書き込めません: %2").arg(output, file.errorString())};
  }
  return Ok();
}

}  // namespace yomika::cli
