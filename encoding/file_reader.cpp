#include "encoding/file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>

#include "encoding/file_errors.h"

namespace yomika {
namespace {

constexpr qint64 kChunk = 64 * 1024;

QString TooLarge(qint64 limit) {
  return QStringLiteral("ファイルが大きすぎます（読めるのは %1 MB まで）").arg(limit >> 20);
}

// Why a file of this kind is not read; std::nullopt for a regular file.
std::optional<QString> RefuseKind(mode_t mode) {
  if (S_ISREG(mode)) return std::nullopt;
  if (S_ISDIR(mode)) return QStringLiteral("フォルダです");
  if (S_ISFIFO(mode)) return QStringLiteral("通常のファイルではありません（名前付きパイプ）");
  if (S_ISSOCK(mode)) return QStringLiteral("通常のファイルではありません（ソケット）");
  return QStringLiteral("通常のファイルではありません（デバイス）");
}

// Reads `fd` to its end, expecting about `expected` bytes; more than `limit` is refused.
std::optional<QString> ReadToEnd(int fd, qint64 expected, qint64 limit, QByteArray& bytes) {
  QByteArray data;
  data.resize(std::min(expected, limit) + 1);
  qint64 filled = 0;
  while (true) {
    if (filled == data.size()) {
      if (filled > limit) return TooLarge(limit);
      data.resize(std::min(filled + std::max(filled, kChunk), limit + 1));
    }
    const ssize_t got = ::read(fd, data.data() + filled, static_cast<size_t>(data.size() - filled));
    if (got < 0) {
      if (errno == EINTR) continue;
      return DescribeFileError(errno);
    }
    if (got == 0) break;
    filled += got;
  }
  if (filled > limit) return TooLarge(limit);
  data.truncate(filled);
  bytes = std::move(data);
  return std::nullopt;
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::optional<QString> CheckRegularFile(const QString& path, qint64 limit) {
  struct stat info {};
  if (::stat(QFile::encodeName(path).constData(), &info) != 0) return DescribeFileError(errno);
  if (std::optional<QString> refused = RefuseKind(info.st_mode)) return refused;
  if (info.st_size > limit) return TooLarge(limit);
  return std::nullopt;
}

std::optional<QString> ReadRegularFile(const QString& path, QByteArray& bytes, qint64 limit) {
  bytes.clear();
  // Non-blocking, so that opening a FIFO does not wait for a writer; for a regular file the
  // flag changes nothing.
  const Descriptor file(
      ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (file.get() < 0) return DescribeFileError(errno);
  struct stat info {};
  if (::fstat(file.get(), &info) != 0) return DescribeFileError(errno);
  if (std::optional<QString> refused = RefuseKind(info.st_mode)) return refused;
  if (info.st_size > limit) return TooLarge(limit);
  return ReadToEnd(file.get(), info.st_size, limit, bytes);
}

std::optional<QString> ReadStream(int fd, QByteArray& bytes, qint64 limit) {
  bytes.clear();
  struct stat info {};
  if (::fstat(fd, &info) != 0) return DescribeFileError(errno);
  qint64 expected = kChunk;
  if (S_ISREG(info.st_mode)) {
    const off_t position = ::lseek(fd, 0, SEEK_CUR);
    expected = info.st_size - std::max<off_t>(position, 0);
    if (expected > limit) return TooLarge(limit);
  } else if (!S_ISFIFO(info.st_mode) && !S_ISSOCK(info.st_mode) && !::isatty(fd)) {
    return RefuseKind(info.st_mode);
  }
  return ReadToEnd(fd, std::max<qint64>(expected, 0), limit, bytes);
}

}  // namespace yomika
