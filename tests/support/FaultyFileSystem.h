#pragma once
// The real file system with failures put in where a test wants them: any call can fail,
// on paths ending in a given way, after a number of calls that succeed, once or for good. Every
// failure sets errno as the system would. It also notes every call, so a test can check their
// order. It may be called from several threads, as the search reads its files.
#include <chrono>
#include <cstddef>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace poirec::test {

class FaultyFileSystem : public FileSystem {
 public:
  // clang-format off
  enum class Call {
    Open, Read, Write, Seek, Length, Truncate, Sync, Close, Lock, StillNamedBy, CopyAccess,
    KindOf, List, FinalPath, Rename, RenameToFreeName, Remove, MakeFolder, RemoveFolder, SyncFolder
  };
  // clang-format on

  // A failure of one kind of call, with errno set to error.
  struct Fault {
    Fault(Call failing, int errorNumber) : call(failing), error(errorNumber) {}
    Fault& Times(int count) { return times = count, *this; }  // -1: every call from then on
    Fault& After(int count) { return after = count, *this; }  // calls that succeed first
    Fault& On(std::string end) { return pathEnd = std::move(end), *this; }  // paths ending so
    Fault& Pausing(std::chrono::milliseconds wait) { return pause = wait, *this; }

    Call call;
    int error;
    int times = 1;
    int after = 0;
    std::string pathEnd;
    std::chrono::milliseconds pause{0};  // waited before each failing call
  };

  // Adds a failure; its settings can be changed through the result until the next one.
  Fault& Fail(Call call, int error) { return faults_.emplace_back(call, error); }
  void Add(const Fault& fault) { faults_.push_back(fault); }
  // Every read hands out at most this many bytes.
  void CutReadsTo(std::size_t bytes) { readLimit_ = bytes; }

  // The calls made so far, each as its name and the path it concerns ("Sync /x/A.asc2").
  const std::vector<std::string>& Log() const { return log_; }
  int Count(Call call) const;

  int Open(const std::string& path, OpenMode mode) override;
  std::int64_t Read(int file, void* destination, std::size_t size) override;
  bool Close(int file) override;
  // Each other call goes to the real file system unless it is to fail.
  std::int64_t Write(int file, const void* source, std::size_t size) override {
    return Fails(Call::Write, PathOf(file)) ? -1 : Real().Write(file, source, size);
  }
  bool Seek(int file, std::int64_t at) override {
    return Pass(Call::Seek, file, &FileSystem::Seek, at);
  }
  std::int64_t Length(int file) override {
    return Fails(Call::Length, PathOf(file)) ? -1 : Real().Length(file);
  }
  bool Truncate(int file, std::int64_t to) override {
    return Pass(Call::Truncate, file, &FileSystem::Truncate, to);
  }
  bool Sync(int file) override { return Pass(Call::Sync, file, &FileSystem::Sync); }
  bool Lock(int file) override { return Pass(Call::Lock, file, &FileSystem::Lock); }
  bool StillNamedBy(int file, const std::string& path) override {
    return !Fails(Call::StillNamedBy, path) && Real().StillNamedBy(file, path);
  }
  bool CopyAccess(const std::string& model, int file) override {
    return !Fails(Call::CopyAccess, PathOf(file)) && Real().CopyAccess(model, file);
  }
  // A look that fails finds nothing, as a folder that cannot be searched gives.
  Kind KindOf(const std::string& path) override {
    return Fails(Call::KindOf, path) ? Kind::Missing : Real().KindOf(path);
  }
  bool List(const std::string& folder, std::vector<std::string>& names) override {
    return !Fails(Call::List, folder) && Real().List(folder, names);
  }
  std::string FinalPath(const std::string& path) override {
    return Fails(Call::FinalPath, path) ? std::string() : Real().FinalPath(path);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    return !Fails(Call::Rename, from + ' ' + to) && Real().Rename(from, to);
  }
  bool RenameToFreeName(const std::string& from, const std::string& to) override {
    return !Fails(Call::RenameToFreeName, from + ' ' + to) && Real().RenameToFreeName(from, to);
  }
  bool Remove(const std::string& path) override {
    return Pass(Call::Remove, path, &FileSystem::Remove);
  }
  bool MakeFolder(const std::string& path) override {
    return Pass(Call::MakeFolder, path, &FileSystem::MakeFolder);
  }
  bool RemoveFolder(const std::string& path) override {
    return Pass(Call::RemoveFolder, path, &FileSystem::RemoveFolder);
  }
  bool SyncFolder(const std::string& path) override {
    return Pass(Call::SyncFolder, path, &FileSystem::SyncFolder);
  }

 private:
  // Notes the call; true when it is to fail, with errno already set.
  bool Fails(Call call, const std::string& path);
  std::string PathOf(int file) const;
  static FileSystem& Real();
  // A call of the real file system on a path or an open file, unless it is to fail.
  bool Pass(Call call, const std::string& path, bool (FileSystem::*real)(const std::string&)) {
    return !Fails(call, path) && (Real().*real)(path);
  }
  template <typename... Arguments>
  bool Pass(Call call, int file, bool (FileSystem::*real)(int, Arguments...), Arguments... more) {
    return !Fails(call, PathOf(file)) && (Real().*real)(file, more...);
  }

  mutable std::mutex mutex_;  // guards the three below
  std::vector<Fault> faults_;
  std::vector<std::string> log_;
  std::map<int, std::string> paths_;  // open files by handle
  std::size_t readLimit_ = 0;         // 0: reads are not cut
};

}  // namespace poirec::test
