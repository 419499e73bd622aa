#pragma once
// The real file system with failures put in where a test wants them: any call can fail,
// on paths ending in a given way, after a number of calls that succeed, once or for good. Every
// failure sets errno as the system would. It also notes every call, so a test can check their
// order.
#include <chrono>
#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace poirec::test {

class FaultyFileSystem : public FileSystem {
 public:
  enum class Call {
    Open,
    Read,
    Write,
    Seek,
    Length,
    Truncate,
    Sync,
    Close,
    Lock,
    StillNamedBy,
    CopyAccess,
    KindOf,
    List,
    FinalPath,
    Rename,
    RenameToFreeName,
    Remove,
    MakeFolder,
    RemoveFolder,
    SyncFolder
  };

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
  std::int64_t Write(int file, const void* source, std::size_t size) override;
  bool Seek(int file, std::int64_t offsetFromStart) override;
  std::int64_t Length(int file) override;
  bool Truncate(int file, std::int64_t length) override;
  bool Sync(int file) override;
  bool Close(int file) override;
  bool Lock(int file) override;
  bool StillNamedBy(int file, const std::string& path) override;
  bool CopyAccess(const std::string& modelPath, int file) override;
  Kind KindOf(const std::string& path) override;
  bool List(const std::string& folder, std::vector<std::string>& names) override;
  std::string FinalPath(const std::string& path) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool RenameToFreeName(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
  bool MakeFolder(const std::string& path) override;
  bool RemoveFolder(const std::string& path) override;
  bool SyncFolder(const std::string& folder) override;

 private:
  // Notes the call; true when it is to fail, with errno already set.
  bool Fails(Call call, const std::string& path);
  std::string PathOf(int file) const;

  std::vector<Fault> faults_;
  std::vector<std::string> log_;
  std::map<int, std::string> paths_;  // open files by handle
  std::size_t readLimit_ = 0;         // 0: reads are not cut
};

}  // namespace poirec::test
