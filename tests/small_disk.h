#ifndef YOMIKA_TESTS_SMALL_DISK_H_
#define YOMIKA_TESTS_SMALL_DISK_H_

// A real, small file system for tests of full disks: a tmpfs mounted on a new temporary
// folder inside a mount namespace of the test process's own, so nothing outside the process
// ever sees it and it vanishes with the process. Needs root (CAP_SYS_ADMIN); elsewhere it is
// not ready and says why, and the test skips.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <optional>

namespace yomika::testing {

// Moves the process into a private mount namespace. Call first thing in main(), before any
// thread starts, so that every later thread shares it.
void EnterPrivateMountNamespace();

class SmallDisk {
 public:
  // Mounts a tmpfs of `size` bytes (a multiple of the page size).
  explicit SmallDisk(qint64 size);
  ~SmallDisk();
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool ready() const { return !problem_; }
  const QString& problem() const { return *problem_; }
  QString FilePath(const QString& name) const;

  // Fills the disk with a file of its own until no byte more fits, then frees `leave_free`
  // bytes of it again (a nearly full disk).
  void Fill(qint64 leave_free = 0);

 private:
  QTemporaryDir folder_;
  std::optional<QString> problem_;
};

}  // namespace yomika::testing

#endif  // YOMIKA_TESTS_SMALL_DISK_H_
