#include "platform/File.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/Path.h"

namespace poirec {
namespace {

constexpr std::size_t kFlushSize = 64 * 1024;
// Each new file in the path comes from a finished deletion; a handful is already rare.
constexpr int kLockAttempts = 100;

FileSystem::OpenMode OpenModeFor(File::Mode mode) {
  switch (mode) {
    case File::Mode::Read: return FileSystem::OpenMode::Read;
    case File::Mode::Write: return FileSystem::OpenMode::Truncate;
    case File::Mode::AppendText: return FileSystem::OpenMode::Append;  // Linux has no text mode
    case File::Mode::ReadWrite: return FileSystem::OpenMode::ReadWrite;
    case File::Mode::CreateNew: return FileSystem::OpenMode::CreateNew;
  }
  return FileSystem::OpenMode::Read;
}

}  // namespace

File::~File() { Close(); }

File::File(File&& other) noexcept
    : files_(other.files_),
      handle_(std::exchange(other.handle_, -1)),
      mode_(other.mode_),
      path_(std::move(other.path_)),
      pending_(std::move(other.pending_)),
      writeFailed_(std::exchange(other.writeFailed_, false)) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    Close();
    files_ = other.files_;
    handle_ = std::exchange(other.handle_, -1);
    mode_ = other.mode_;
    path_ = std::move(other.path_);
    pending_ = std::move(other.pending_);
    writeFailed_ = std::exchange(other.writeFailed_, false);
  }
  return *this;
}

bool File::Open(std::u16string_view path, Mode mode) {
  const std::string native = ResolvePath(*files_, path);
  if (native.empty()) {
    Close();
    errno = ENOENT;
    return false;
  }
  return OpenNative(native, mode);
}

bool File::OpenNative(const std::string& path, Mode mode) {
  Close();
  handle_ = files_->Open(path, OpenModeFor(mode));
  if (handle_ < 0) return false;
  mode_ = mode;
  path_ = path;
  return true;
}

bool File::Lock() {
  for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
    if (handle_ < 0 || !files_->Lock(handle_)) return false;
    if (files_->StillNamedBy(handle_, path_)) return true;
    // Not the file the path names now: the lock on it protects nothing.
    files_->Close(handle_);
    handle_ = files_->Open(path_, OpenModeFor(mode_));
  }
  errno = EWOULDBLOCK;
  return false;
}

bool File::TakeAccessFrom(const std::string& modelPath) {
  return handle_ >= 0 && files_->CopyAccess(modelPath, handle_);
}

bool File::Flush() {
  std::size_t done = 0;
  while (done < pending_.size()) {
    const std::int64_t written =
        files_->Write(handle_, pending_.data() + done, pending_.size() - done);
    if (written <= 0) {
      if (written == 0) errno = EIO;
      pending_.clear();
      writeFailed_ = true;
      return false;
    }
    done += static_cast<std::size_t>(written);
  }
  pending_.clear();
  return true;
}

std::size_t File::Read(void* destination, std::size_t size) {
  if (handle_ < 0 || !Flush()) return 0;
  std::size_t done = 0;
  while (done < size) {
    const std::int64_t read =
        files_->Read(handle_, static_cast<char*>(destination) + done, size - done);
    if (read <= 0) break;
    done += static_cast<std::size_t>(read);
  }
  return done;
}

bool File::Write(const void* source, std::size_t size) {
  if (handle_ < 0) return false;
  pending_.append(static_cast<const char*>(source), size);
  return pending_.size() < kFlushSize || Flush();
}

bool File::Seek(std::int64_t offsetFromStart) {
  return handle_ >= 0 && offsetFromStart >= 0 && Flush() && files_->Seek(handle_, offsetFromStart);
}

std::int64_t File::Length() {
  if (handle_ < 0 || !Flush()) return -1;
  return files_->Length(handle_);
}

bool File::Truncate(std::int64_t length) {
  if (handle_ < 0) return false;
  Flush();  // whatever it could not write is cut off below anyway
  return files_->Truncate(handle_, length);
}

bool File::Sync() { return handle_ >= 0 && Flush() && files_->Sync(handle_); }

bool File::Close() {
  if (handle_ < 0) return true;
  const bool flushed = Flush() && !writeFailed_;
  const int flushError = errno;
  const bool closed = files_->Close(handle_);
  if (!flushed) errno = flushError;
  handle_ = -1;
  writeFailed_ = false;
  return flushed && closed;
}

bool MakeFolder(FileSystem& files, std::u16string_view folder) {
  const std::string native = ResolvePath(files, folder);
  if (files.MakeFolder(native)) return true;
  const int error = errno;
  const bool made = error == EEXIST && files.KindOf(native) == FileSystem::Kind::Folder;
  errno = error;
  return made;
}

std::string LastErrorText() { return ErrorText(errno); }

std::string ErrorText(int number) { return std::strerror(number); }

}  // namespace poirec
