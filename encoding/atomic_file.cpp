#include "encoding/atomic_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <mutex>

#include "encoding/file_errors.h"

namespace yomika {
namespace {

// The file a write to `path` really replaces: the target of a symbolic link, else `path`.
QString RealTarget(const QString& path) {
  const QFileInfo info(path);
  if (!info.isSymLink()) return path;
  const QString canonical = info.canonicalFilePath();
  return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

// Creates a new, empty file beside `target` with a name no other file has; -1 with errno set
// on failure. Permissions are 0666 less the umask, as for any new file.
int CreateSibling(const QString& target, QByteArray& name) {
  const QFileInfo info(target);
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                             QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(),
                                                           8, 16, QLatin1Char('0')));
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Writes every byte, going on after short writes and interruptions; errno set on failure.
bool WriteAll(int fd, QByteArrayView bytes) {
  const char* data = bytes.data();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    left -= written;
  }
  return true;
}

// The new file's contents and permissions, flushed and closed; errno set on failure.
bool FillAndClose(int fd, QByteArrayView bytes, const struct stat* old) {
  bool ok = WriteAll(fd, bytes);
  if (ok && old != nullptr) ok = ::fchmod(fd, old->st_mode & 07777) == 0;
  if (ok) ok = ::fsync(fd) == 0;
  const int saved = errno;
  // close() can report a delayed write error (NFS) and must be called exactly once.
  const bool closed = ::close(fd) == 0;
  if (!ok) errno = saved;
  return ok && closed;
}

// Makes the rename itself durable; a failure here loses nothing, so it is not reported.
void SyncFolder(const QString& target) {
  const int folder = ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(),
                            O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return;
  ::fsync(folder);
  ::close(folder);
}

}  // namespace

std::optional<QString> WriteFileAtomically(const QString& path, QByteArrayView bytes) {
  static std::once_flag ignore_file_size_signal;
  std::call_once(ignore_file_size_signal, [] { ::signal(SIGXFSZ, SIG_IGN); });

  const QString target = RealTarget(path);
  const QByteArray target_name = QFile::encodeName(target);
  struct stat old {};
  const bool exists = ::stat(target_name.constData(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) return QStringLiteral("フォルダです");
  if (exists && !S_ISREG(old.st_mode)) return QStringLiteral("通常のファイルではありません");

  QByteArray temporary;
  const int fd = CreateSibling(target, temporary);
  if (fd < 0) return DescribeFileError(errno);
  if (!FillAndClose(fd, bytes, exists ? &old : nullptr) ||
      ::rename(temporary.constData(), target_name.constData()) != 0) {
    const int error = errno;
    ::unlink(temporary.constData());
    return DescribeFileError(error);
  }
  SyncFolder(target);
  return std::nullopt;
}

}  // namespace yomika
