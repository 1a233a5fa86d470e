#include "cli/file_io.h"

#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "encoding/atomic_file.h"
#include "encoding/file_reader.h"

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
  if (const std::optional<QString> problem = CheckRegularFile(input)) {
    return QStringLiteral("入力ファイル %1 を読めません: %2。").arg(input, *problem);
  }
  return std::nullopt;
}

Outcome<QByteArray> ReadInputBytes(const QString& input) {
  if (const std::optional<QString> problem = CheckInput(input)) return Failure{*problem};
  QByteArray bytes;
  const std::optional<QString> problem =
      input == QLatin1String("-") ? ReadStream(STDIN_FILENO, bytes) : ReadRegularFile(input, bytes);
  if (problem) {
    return Failure{QStringLiteral("%1 を読めません: %2。").arg(DisplayName(input), *problem)};
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
  if (const std::optional<QString> problem = WriteFileAtomically(output, bytes)) {
    return Failure{QStringLiteral("%1 に書き込めません: %2。").arg(output, *problem)};
  }
  return Ok();
}

}  // namespace yomika::cli
