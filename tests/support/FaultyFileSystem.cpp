#include "support/FaultyFileSystem.h"

#include <algorithm>
#include <cerrno>
#include <thread>

#include "platform/PosixFileSystem.h"

namespace poirec::test {
namespace {

const char* NameOf(FaultyFileSystem::Call call) {
  static constexpr const char* kNames[] = {
      "Open",   "Read",         "Write",        "Seek",
      "Length", "Truncate",     "Sync",         "Close",
      "Lock",   "StillNamedBy", "CopyAccess",   "KindOf",
      "List",   "FinalPath",    "Rename",       "RenameToFreeName",
      "Remove", "MakeFolder",   "RemoveFolder", "SyncFolder"};
  return kNames[static_cast<int>(call)];
}

FileSystem& Real() { return RealFileSystem(); }

}  // namespace

int FaultyFileSystem::Count(Call call) const {
  const std::string prefix = std::string(NameOf(call)) + ' ';
  return static_cast<int>(std::count_if(log_.begin(), log_.end(), [&](const std::string& entry) {
    return entry.starts_with(prefix);
  }));
}

bool FaultyFileSystem::Fails(Call call, const std::string& path) {
  log_.push_back(std::string(NameOf(call)) + ' ' + path);
  for (Fault& fault : faults_) {
    if (fault.call != call || !path.ends_with(fault.pathEnd) || fault.times == 0) continue;
    if (fault.after > 0) {
      --fault.after;
      continue;
    }
    if (fault.times > 0) --fault.times;
    std::this_thread::sleep_for(fault.pause);
    errno = fault.error;
    return true;
  }
  return false;
}

std::string FaultyFileSystem::PathOf(int file) const {
  const auto found = paths_.find(file);
  return found == paths_.end() ? std::string() : found->second;
}

int FaultyFileSystem::Open(const std::string& path, OpenMode mode) {
  if (Fails(Call::Open, path)) return -1;
  const int file = Real().Open(path, mode);
  if (file >= 0) paths_[file] = path;
  return file;
}

std::int64_t FaultyFileSystem::Read(int file, void* destination, std::size_t size) {
  if (Fails(Call::Read, PathOf(file))) return -1;
  return Real().Read(file, destination, readLimit_ > 0 ? std::min(size, readLimit_) : size);
}

std::int64_t FaultyFileSystem::Write(int file, const void* source, std::size_t size) {
  return Fails(Call::Write, PathOf(file)) ? -1 : Real().Write(file, source, size);
}

bool FaultyFileSystem::Seek(int file, std::int64_t offsetFromStart) {
  return !Fails(Call::Seek, PathOf(file)) && Real().Seek(file, offsetFromStart);
}

std::int64_t FaultyFileSystem::Length(int file) {
  return Fails(Call::Length, PathOf(file)) ? -1 : Real().Length(file);
}

bool FaultyFileSystem::Truncate(int file, std::int64_t length) {
  return !Fails(Call::Truncate, PathOf(file)) && Real().Truncate(file, length);
}

bool FaultyFileSystem::Sync(int file) {
  return !Fails(Call::Sync, PathOf(file)) && Real().Sync(file);
}

bool FaultyFileSystem::Close(int file) {
  const bool failed = Fails(Call::Close, PathOf(file));
  const int error = errno;
  paths_.erase(file);
  const bool closed = Real().Close(file);  // a failing close still closes, as on Linux
  if (failed) errno = error;
  return !failed && closed;
}

bool FaultyFileSystem::Lock(int file) {
  return !Fails(Call::Lock, PathOf(file)) && Real().Lock(file);
}

bool FaultyFileSystem::StillNamedBy(int file, const std::string& path) {
  return !Fails(Call::StillNamedBy, path) && Real().StillNamedBy(file, path);
}

bool FaultyFileSystem::CopyAccess(const std::string& modelPath, int file) {
  return !Fails(Call::CopyAccess, PathOf(file)) && Real().CopyAccess(modelPath, file);
}

FileSystem::Kind FaultyFileSystem::KindOf(const std::string& path) {
  // A look that fails finds nothing, as a folder that cannot be searched gives.
  return Fails(Call::KindOf, path) ? Kind::Missing : Real().KindOf(path);
}

bool FaultyFileSystem::List(const std::string& folder, std::vector<std::string>& names) {
  return !Fails(Call::List, folder) && Real().List(folder, names);
}

std::string FaultyFileSystem::FinalPath(const std::string& path) {
  return Fails(Call::FinalPath, path) ? std::string() : Real().FinalPath(path);
}

bool FaultyFileSystem::Rename(const std::string& from, const std::string& to) {
  return !Fails(Call::Rename, from + ' ' + to) && Real().Rename(from, to);
}

bool FaultyFileSystem::RenameToFreeName(const std::string& from, const std::string& to) {
  return !Fails(Call::RenameToFreeName, from + ' ' + to) && Real().RenameToFreeName(from, to);
}

bool FaultyFileSystem::Remove(const std::string& path) {
  return !Fails(Call::Remove, path) && Real().Remove(path);
}

bool FaultyFileSystem::MakeFolder(const std::string& path) {
  return !Fails(Call::MakeFolder, path) && Real().MakeFolder(path);
}

bool FaultyFileSystem::RemoveFolder(const std::string& path) {
  return !Fails(Call::RemoveFolder, path) && Real().RemoveFolder(path);
}

bool FaultyFileSystem::SyncFolder(const std::string& folder) {
  return !Fails(Call::SyncFolder, folder) && Real().SyncFolder(folder);
}

}  // namespace poirec::test
