#pragma once
#include "platform/FileSystem.h"

namespace poirec {

// Files on the local disk, through the system's calls.
class PosixFileSystem final : public FileSystem {
 public:
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
};

// The real file system the programs use. It holds no state.
FileSystem& RealFileSystem();

}  // namespace poirec
