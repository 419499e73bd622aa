#include "export/AtomicOutputFile.h"

namespace poirec {
namespace {

std::u16string FolderOf(std::u16string_view path) {
  const std::size_t slash = path.rfind(u'/');
  return slash == std::u16string_view::npos ? std::u16string()
                                            : std::u16string(path.substr(0, slash + 1));
}

}  // namespace

AtomicOutputFile::AtomicOutputFile(std::u16string_view target)
    : target_(target), temporary_(std::u16string(target) + u".tmp") {}

AtomicOutputFile::~AtomicOutputFile() {
  if (!created_) return;
  file_.Close();
  RemoveFile(temporary_);
}

bool AtomicOutputFile::Open() {
  created_ = file_.Open(temporary_, File::Mode::Write);
  return created_;
}

bool AtomicOutputFile::Write(const char* bytes, std::size_t size) {
  if (writeFailed_ || !file_.Write(bytes, size)) writeFailed_ = true;
  return !writeFailed_;
}

bool AtomicOutputFile::Commit() {
  if (!created_) return false;
  const bool written = !writeFailed_ && file_.Sync();
  if (!file_.Close() || !written || !ReplaceFileNamed(temporary_, target_)) return false;
  created_ = false;  // the temporary file is the target now
  // The new contents are in place either way; this makes the rename itself durable.
  SyncFolder(FolderOf(target_));
  return true;
}

}  // namespace poirec
