#pragma once
// A file that is written beside its target and put in the target's place in one step once
// it is complete: whoever reads the target sees its old contents or the whole new ones,
// and a write that fails leaves the target as it was.
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/File.h"

namespace poirec {

class AtomicOutputFile {
 public:
  AtomicOutputFile(FileSystem& files, std::u16string_view target);
  // Removes the temporary file unless Commit put it in place.
  ~AtomicOutputFile();
  AtomicOutputFile(const AtomicOutputFile&) = delete;
  AtomicOutputFile& operator=(const AtomicOutputFile&) = delete;

  // Creates the temporary file: the target's path with ".tmp" added, in the same folder,
  // so that the rename never crosses file systems. One left behind by an export that was
  // stopped is removed first; the new one is created afresh, never through a symlink.
  bool Open();
  bool Write(const char* bytes, std::size_t size);
  // Makes the new contents durable, renames them over the target and makes the rename
  // durable. False when anything failed before the rename: the target is then unchanged.
  // The target's own name is taken as written, never another file's that differs from it
  // only in letter case.
  bool Commit();

  const std::u16string& TemporaryPath() const { return temporary_; }

 private:
  FileSystem& files_;
  std::u16string target_;
  std::u16string temporary_;
  File file_;
  bool created_ = false;
  bool writeFailed_ = false;
};

}  // namespace poirec
