#include "tests/small_disk.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>

namespace yomika::testing {
namespace {

std::optional<QString> namespace_problem = QStringLiteral("no private mount namespace entered");

QString SystemError(const char* what) {
  return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(strerror(errno)));
}

}  // namespace

void EnterPrivateMountNamespace() {
  if (::unshare(CLONE_NEWNS) != 0) {
    namespace_problem = SystemError("unshare(CLONE_NEWNS)");
    return;
  }
  // Without this, mounts would still propagate back to the parent namespace.
  if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
    namespace_problem = SystemError("mount --make-rprivate /");
    return;
  }
  namespace_problem.reset();
}

SmallDisk::SmallDisk(qint64 size) : problem_(namespace_problem) {
  if (problem_) return;
  const QByteArray options = "size=" + QByteArray::number(size) + ",mode=0777";
  if (::mount("yomika-small-disk", QFile::encodeName(folder_.path()).constData(), "tmpfs", 0,
              options.constData()) != 0) {
    problem_ = SystemError("mount -t tmpfs");
  }
}

SmallDisk::~SmallDisk() {
  if (!problem_) ::umount2(QFile::encodeName(folder_.path()).constData(), MNT_DETACH);
}

QString SmallDisk::FilePath(const QString& name) const { return folder_.filePath(name); }

void SmallDisk::Fill(qint64 leave_free) {
  const int fd = ::open(QFile::encodeName(FilePath(QStringLiteral("filler"))).constData(),
                        O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (fd < 0) return;
  const QByteArray block(4096, 'x');
  for (qsizetype piece = block.size(); piece > 0; piece /= 2) {
    while (::write(fd, block.constData(), static_cast<size_t>(piece)) == piece) {
    }
  }
  const off_t size = ::lseek(fd, 0, SEEK_END);
  if (leave_free > 0 && size > leave_free) ::ftruncate(fd, size - leave_free);
  ::close(fd);
}

}  // namespace yomika::testing
