#include "encoding/file_errors.h"

#include <cerrno>
#include <cstring>

namespace yomika {

QString DescribeFileError(int error_number) {
  switch (error_number) {
    case ENOSPC:
      return QStringLiteral("ディスクがいっぱいです");
    case EDQUOT:
      return QStringLiteral("ディスクの使用量の上限に達しています");
    case EFBIG:
      return QStringLiteral("ファイルの大きさの上限を超えます");
    case EACCES:
    case EPERM:
      return QStringLiteral("アクセスが許可されていません");
    case EROFS:
      return QStringLiteral("読み取り専用の場所です");
    case ENOENT:
      return QStringLiteral("ファイルまたはフォルダがありません");
    case ENOTDIR:
      return QStringLiteral("パスの途中にフォルダでないものがあります");
    case EISDIR:
      return QStringLiteral("フォルダです");
    case ENAMETOOLONG:
      return QStringLiteral("ファイル名が長すぎます");
    case ELOOP:
      return QStringLiteral("シンボリックリンクがループしています");
    case EIO:
      return QStringLiteral("入出力エラーが起きました");
    case EMFILE:
    case ENFILE:
      return QStringLiteral("開いているファイルが多すぎます");
    case ENOMEM:
      return QStringLiteral("メモリが足りません");
    case EBUSY:
    case ETXTBSY:
      return QStringLiteral("ファイルが使用中です");
    case EXDEV:
      return QStringLiteral("別のファイルシステムをまたいで置き換えられません");
    default:
      return QStringLiteral("システムエラー %1 (%2)")
          .arg(error_number)
          .arg(QString::fromLocal8Bit(std::strerror(error_number)));
  }
}

}  // namespace yomika
