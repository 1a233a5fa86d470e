#ifndef YOMIKA_APP_INSTANCE_LOCK_H_
#define YOMIKA_APP_INSTANCE_LOCK_H_

// Tells whether another instance of the program runs for this user: the first instance holds
// a lock file for its whole life; a stale lock of a crashed instance is taken over.

#include <QLockFile>
#include <QString>

namespace yomika {

class InstanceLock {
 public:
  // `lock_path`: empty for the per-user default in the runtime folder.
  explicit InstanceLock(const QString& lock_path = QString());

  // True when another instance held the lock at construction.
  bool AnotherInstanceRuns() const { return another_instance_; }

 private:
  QLockFile lock_;
  bool another_instance_ = false;
};

}  // namespace yomika

#endif  // YOMIKA_APP_INSTANCE_LOCK_H_
