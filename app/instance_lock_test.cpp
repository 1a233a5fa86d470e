#include "app/instance_lock.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>

namespace yomika {
namespace {

TEST(InstanceLock, EveryLiveInstanceCountsNotJustTheFirst) {
  QTemporaryDir dir;
  auto a = std::make_unique<InstanceLock>(dir.path(), QStringLiteral("a"));
  EXPECT_FALSE(a->AnotherInstanceRuns());
  const InstanceLock b(dir.path(), QStringLiteral("b"));
  EXPECT_TRUE(b.AnotherInstanceRuns());
  a.reset();  // A quits; B still runs
  const InstanceLock c(dir.path(), QStringLiteral("c"));
  EXPECT_TRUE(c.AnotherInstanceRuns());
}

TEST(InstanceLock, KilledInstanceIsNotCountedAndItsLockGoes) {
  QTemporaryDir dir;
  // The lock a killed instance leaves behind: the id of a process that has ended.
  QProcess ended;
  ended.start(QStringLiteral("true"));
  ASSERT_TRUE(ended.waitForStarted());
  const qint64 pid = ended.processId();
  ASSERT_TRUE(ended.waitForFinished());
  const QString stale = dir.filePath(
      QStringLiteral("YOMIKA-%1-killed.lock").arg(qEnvironmentVariable("USER")));
  QFile file(stale);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray::number(pid) + "\nyomika\n\n");
  file.close();

  const InstanceLock c(dir.path(), QStringLiteral("c"));
  EXPECT_FALSE(c.AnotherInstanceRuns());
  EXPECT_FALSE(QFile::exists(stale));
}

}  // namespace
}  // namespace yomika
