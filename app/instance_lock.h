#ifndef YOMIKA_APP_INSTANCE_LOCK_H_
#define YOMIKA_APP_INSTANCE_LOCK_H_

// Tells whether another instance of the program runs for this user. Every instance holds a
// lock file of its own, "YOMIKA-<user>-<instance>.lock" in one folder, for its whole life;
// another instance runs when any other such lock is held by a live process. A lock left
// behind by a killed instance is stale (its process is gone) and is removed when seen.

#include <QLockFile>
#include <QString>
#include <memory>

namespace yomika {

class InstanceLock {
 public:
  // `folder`: empty for the per-user runtime folder. `instance`: what names this instance's
  // lock, by default the process id.
  explicit InstanceLock(const QString& folder = QString(), const QString& instance = QString());
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // True when another instance held its lock at construction.
  bool AnotherInstanceRuns() const { return another_instance_; }

 private:
  std::unique_ptr<QLockFile> own_;
  bool another_instance_ = false;
};

}  // namespace yomika

#endif  // YOMIKA_APP_INSTANCE_LOCK_H_
