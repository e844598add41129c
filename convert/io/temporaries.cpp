#include "convert/io/temporaries.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <mutex>
#include <set>

namespace caplift {

namespace {

// Held while a temporary is made, renamed or removed, so that the list always matches the files.
std::mutex& listLock() {
  static std::mutex lock;
  return lock;
}

std::set<std::string>& liveTemporaries() {
  static std::set<std::string> live;
  return live;
}

}  // namespace

int makeTemporary(std::string& pattern) {
  const std::lock_guard hold(listLock());
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd >= 0) liveTemporaries().insert(pattern);
  return fd;
}

int commitTemporary(const std::string& temporary, const std::string& target) {
  const std::lock_guard hold(listLock());
  if (std::rename(temporary.c_str(), target.c_str()) != 0) return errno;
  liveTemporaries().erase(temporary);
  return 0;
}

void removeTemporary(const std::string& temporary) {
  const std::lock_guard hold(listLock());
  ::unlink(temporary.c_str());
  liveTemporaries().erase(temporary);
}

void removeTemporariesForExit() {
  // Never released: the process is about to end.
  listLock().lock();
  for (const std::string& temporary : liveTemporaries()) ::unlink(temporary.c_str());
  liveTemporaries().clear();
}

}  // namespace caplift
