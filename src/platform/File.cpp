#include "platform/File.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/Path.h"
#include "platform/TextEncoding.h"

namespace poirec {
namespace {

const char* ModeText(File::Mode mode) {
  switch (mode) {
    case File::Mode::Read: return "rb";
    case File::Mode::Write: return "wb";
    case File::Mode::AppendText: return "a+";  // Linux makes no difference for text mode
    case File::Mode::ReadWrite: return "r+b";
    case File::Mode::CreateNew: return "wbx";  // O_EXCL: never opens what is already there
  }
  return "rb";
}

}  // namespace

File::~File() { Close(); }

File::File(File&& other) noexcept : stream_(std::exchange(other.stream_, nullptr)) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    Close();
    stream_ = std::exchange(other.stream_, nullptr);
  }
  return *this;
}

bool File::Open(std::u16string_view path, Mode mode) {
  Close();
  const std::string native = ResolvePath(path);
  if (native.empty()) {
    errno = ENOENT;
    return false;
  }
  stream_ = std::fopen(native.c_str(), ModeText(mode));
  if (stream_ == nullptr) return false;
  struct stat info {};
  const bool known = ::fstat(::fileno(stream_), &info) == 0;
  if (known && !S_ISDIR(info.st_mode)) return true;
  // A folder opened for reading says why as opening it for writing does.
  const int error = known ? EISDIR : errno;
  Close();
  errno = error;
  return false;
}

std::size_t File::Read(void* destination, std::size_t size) {
  if (stream_ == nullptr || size == 0) return 0;
  return std::fread(destination, 1, size, stream_);
}

bool File::Write(const void* source, std::size_t size) {
  if (stream_ == nullptr) return false;
  return std::fwrite(source, 1, size, stream_) == size;
}

bool File::WriteByte(unsigned char byte) {
  return stream_ != nullptr && std::fputc(byte, stream_) != EOF;
}

bool File::Seek(std::int64_t offsetFromStart) {
  return stream_ != nullptr && offsetFromStart >= 0 &&
         ::fseeko(stream_, static_cast<off_t>(offsetFromStart), SEEK_SET) == 0;
}

std::int64_t File::Length() {
  if (stream_ == nullptr || std::fflush(stream_) != 0) return -1;
  struct stat info {};
  if (::fstat(::fileno(stream_), &info) != 0) return -1;
  return info.st_size;
}

bool File::Truncate(std::int64_t length) {
  if (stream_ == nullptr) return false;
  std::fflush(stream_);  // whatever it could not write is cut off below anyway
  return ::ftruncate(::fileno(stream_), static_cast<off_t>(length)) == 0;
}

bool File::Sync() {
  return stream_ != nullptr && std::fflush(stream_) == 0 && ::fsync(::fileno(stream_)) == 0;
}

bool File::Close() {
  if (stream_ == nullptr) return true;
  const bool flushed = std::fflush(stream_) == 0 && !std::ferror(stream_);
  const bool closed = std::fclose(stream_) == 0;
  stream_ = nullptr;
  return flushed && closed;
}

bool RemoveFile(std::u16string_view path) { return ::unlink(ResolvePath(path).c_str()) == 0; }

bool ReplaceFile(std::u16string_view source, std::u16string_view target) {
  return std::rename(ResolvePath(source).c_str(), ResolvePath(target).c_str()) == 0;
}

bool ReplaceFileNamed(std::u16string_view source, std::u16string_view target) {
  const std::size_t slash = target.rfind(u'/');
  const std::u16string_view name =
      slash == std::u16string_view::npos ? target : target.substr(slash + 1);
  const std::string folder =
      slash == std::u16string_view::npos ? std::string() : ResolvePath(target.substr(0, slash + 1));
  return std::rename(ResolvePath(source).c_str(), (folder + Utf16ToUtf8(name)).c_str()) == 0;
}

bool SyncFolder(std::u16string_view folder) {
  const std::string native = ResolvePath(folder);
  const int descriptor = ::open(native.empty() ? "." : native.c_str(), O_RDONLY | O_DIRECTORY);
  if (descriptor < 0) return false;
  const bool synced = ::fsync(descriptor) == 0;
  return ::close(descriptor) == 0 && synced;
}

bool PathExists(std::u16string_view path) {
  struct stat info {};
  return ::lstat(ResolvePath(path).c_str(), &info) == 0;
}

bool MakeFolder(std::u16string_view folder) {
  const std::string native = ResolvePath(folder);
  if (::mkdir(native.c_str(), 0777) == 0) return true;
  struct stat info {};
  return errno == EEXIST && ::stat(native.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string LastErrorText() { return std::strerror(errno); }

}  // namespace poirec
