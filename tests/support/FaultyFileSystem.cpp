#include "support/FaultyFileSystem.h"

#include <algorithm>
#include <cerrno>
#include <thread>

#include "platform/PosixFileSystem.h"

namespace poirec::test {
namespace {

const char* NameOf(FaultyFileSystem::Call call) {
  // clang-format off
  static constexpr const char* kNames[] = {"Open", "Read", "Write", "Seek", "Length",
    "Truncate", "Sync", "Close", "Lock", "StillNamedBy", "CopyAccess", "KindOf", "List",
    "FinalPath", "Rename", "RenameToFreeName", "Remove", "MakeFolder", "RemoveFolder", "SyncFolder"};
  // clang-format on
  return kNames[static_cast<int>(call)];
}

}  // namespace

FileSystem& FaultyFileSystem::Real() { return RealFileSystem(); }

int FaultyFileSystem::Count(Call call) const {
  const std::lock_guard lock(mutex_);
  const std::string prefix = std::string(NameOf(call)) + ' ';
  return static_cast<int>(std::count_if(log_.begin(), log_.end(), [&](const std::string& entry) {
    return entry.starts_with(prefix);
  }));
}

bool FaultyFileSystem::Fails(Call call, const std::string& path) {
  std::unique_lock lock(mutex_);
  log_.push_back(std::string(NameOf(call)) + ' ' + path);
  for (Fault& fault : faults_) {
    if (fault.call != call || !path.ends_with(fault.pathEnd) || fault.times == 0) continue;
    if (fault.after > 0) {
      --fault.after;
      continue;
    }
    if (fault.times > 0) --fault.times;
    const Fault failing = fault;
    lock.unlock();
    std::this_thread::sleep_for(failing.pause);
    errno = failing.error;
    return true;
  }
  return false;
}

std::string FaultyFileSystem::PathOf(int file) const {
  const std::lock_guard lock(mutex_);
  const auto found = paths_.find(file);
  return found == paths_.end() ? std::string() : found->second;
}

int FaultyFileSystem::Open(const std::string& path, OpenMode mode) {
  if (Fails(Call::Open, path)) return -1;
  const int file = Real().Open(path, mode);
  if (file >= 0) {
    const std::lock_guard lock(mutex_);
    paths_[file] = path;
  }
  return file;
}

std::int64_t FaultyFileSystem::Read(int file, void* destination, std::size_t size) {
  if (Fails(Call::Read, PathOf(file))) return -1;
  return Real().Read(file, destination, readLimit_ > 0 ? std::min(size, readLimit_) : size);
}

bool FaultyFileSystem::Close(int file) {
  const bool failed = Fails(Call::Close, PathOf(file));
  const int error = errno;
  {
    const std::lock_guard lock(mutex_);
    paths_.erase(file);
  }
  const bool closed = Real().Close(file);  // a failing close still closes, as on Linux
  if (failed) errno = error;
  return !failed && closed;
}

}  // namespace poirec::test
