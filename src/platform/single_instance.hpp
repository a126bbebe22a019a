// Only one copy of the program may talk to the controller: two copies would interleave their
// packets on the one HID report. A lock file in the user's runtime folder plays the part of a named
// system mutex; a copy that crashed leaves a lock that the next start recognises as stale.
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace kivprism::platform {

inline constexpr char kInstanceName[] = "KIVST_GUI_F401";

class SingleInstance {
 public:
  // Holds the lock "<name>.lock" in the folder (the user's runtime folder when empty).
  explicit SingleInstance(const QString& name = QString::fromLatin1(kInstanceName),
                          const QString& folder = QString());
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // False when another running copy holds the lock.
  bool acquire();
  void release();
  bool held() const { return held_; }

 private:
  std::unique_ptr<QLockFile> lock_;
  bool held_ = false;
};

}  // namespace kivprism::platform
