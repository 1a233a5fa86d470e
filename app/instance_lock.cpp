#include "app/instance_lock.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace yomika {
namespace {

QString DefaultFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  return folder.isEmpty() ? QDir::tempPath() : folder;
}

QString LockPrefix() {
  return QStringLiteral("YOMIKA-%1-").arg(qEnvironmentVariable("USER"));
}

// True when the lock at `path` belongs to a live process. A free or stale lock is taken and
// released, which removes the file.
bool HeldByLiveProcess(const QString& path) {
  QLockFile lock(path);
  lock.setStaleLockTime(0);  // only a lock whose process is gone is stale
  if (lock.tryLock(0)) {
    lock.unlock();
    return false;
  }
  return lock.error() == QLockFile::LockFailedError;
}

}  // namespace

InstanceLock::InstanceLock(const QString& folder, const QString& instance) {
  const QDir dir(folder.isEmpty() ? DefaultFolder() : folder);
  const QString prefix = LockPrefix();
  const QString own_name =
      prefix + (instance.isEmpty() ? QString::number(QCoreApplication::applicationPid()) : instance) +
      QStringLiteral(".lock");
  // Ours first, so that an instance starting at the same moment sees it.
  own_ = std::make_unique<QLockFile>(dir.filePath(own_name));
  own_->setStaleLockTime(0);
  own_->tryLock(0);
  const QStringList locks =
      dir.entryList({prefix + QStringLiteral("*.lock")}, QDir::Files | QDir::Hidden);
  for (const QString& name : locks) {
    if (name != own_name && HeldByLiveProcess(dir.filePath(name))) another_instance_ = true;
  }
}

InstanceLock::~InstanceLock() = default;

}  // namespace yomika
