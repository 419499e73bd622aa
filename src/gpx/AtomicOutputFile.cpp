#include "gpx/AtomicOutputFile.h"

#include "platform/Path.h"

namespace poirec {

AtomicOutputFile::AtomicOutputFile(FileSystem& files, std::u16string_view target)
    : files_(files), target_(target), temporary_(std::u16string(target) + u".tmp"), file_(files) {}

AtomicOutputFile::~AtomicOutputFile() {
  if (!created_) return;
  file_.Close();
  RemoveFile(files_, temporary_);
}

bool AtomicOutputFile::Open() {
  RemoveFile(files_, temporary_);
  created_ = file_.Open(temporary_, File::Mode::CreateNew);
  return created_;
}

bool AtomicOutputFile::Write(const char* bytes, std::size_t size) {
  if (writeFailed_ || !file_.Write(bytes, size)) writeFailed_ = true;
  return !writeFailed_;
}

bool AtomicOutputFile::Commit() {
  if (!created_) return false;
  const bool written = !writeFailed_ && file_.Sync();
  if (!file_.Close() || !written || !ReplaceFileNamed(files_, temporary_, target_)) return false;
  created_ = false;  // the temporary file is the target now
  // The new contents are in place either way; this makes the rename itself durable.
  SyncFolder(files_, FolderOf(target_));
  return true;
}

}  // namespace poirec
