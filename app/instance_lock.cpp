#include "app/instance_lock.h"

#include <QDir>
#include <QStandardPaths>

namespace yomika {
namespace {

QString DefaultLockPath() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  return QDir(folder).filePath(QStringLiteral("YOMIKA-%1.lock").arg(qEnvironmentVariable("USER")));
}

}  // namespace

InstanceLock::InstanceLock(const QString& lock_path)
    : lock_(lock_path.isEmpty() ? DefaultLockPath() : lock_path) {
  lock_.setStaleLockTime(0);  // a lock whose process is gone is stale at once
  another_instance_ = !lock_.tryLock(0);
}

}  // namespace yomika
