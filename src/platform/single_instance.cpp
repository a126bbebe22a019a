#include "platform/single_instance.hpp"

#include <QDir>
#include <QStandardPaths>

namespace kivprism::platform {

namespace {

QString lockFolder(const QString& folder) {
  if (!folder.isEmpty()) {
    return folder;
  }
  const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

}  // namespace

SingleInstance::SingleInstance(const QString& name, const QString& folder)
    : lock_(std::make_unique<QLockFile>(QDir(lockFolder(folder)).filePath(name + ".lock"))) {
  // A live copy keeps its lock however long it runs; only a dead owner makes it stale.
  lock_->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() { release(); }

bool SingleInstance::acquire() {
  if (!held_) {
    held_ = lock_->tryLock(0);
  }
  return held_;
}

void SingleInstance::release() {
  if (held_) {
    lock_->unlock();
    held_ = false;
  }
}

}  // namespace kivprism::platform
