#include "platform/PosixFileSystem.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

namespace poirec {
namespace {

// Another run holds a category file for one append or one deletion: milliseconds, or a
// second for a deletion in a very large file. A run that waits longer fails as a failed
// write does rather than leave the driver looking at a frozen screen.
constexpr auto kLockWait = std::chrono::seconds(5);
constexpr auto kLockPoll = std::chrono::milliseconds(2);

int OpenFlags(FileSystem::OpenMode mode) {
  switch (mode) {
    case FileSystem::OpenMode::Read: return O_RDONLY;
    case FileSystem::OpenMode::ReadWrite: return O_RDWR;
    case FileSystem::OpenMode::Append: return O_RDWR | O_APPEND | O_CREAT;
    case FileSystem::OpenMode::Truncate: return O_WRONLY | O_CREAT | O_TRUNC;
    case FileSystem::OpenMode::CreateNew: return O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW;
  }
  return O_RDONLY;
}

// Closes a descriptor without touching errno: the caller reports the error before it.
void CloseKeepingError(int file) {
  const int error = errno;
  ::close(file);
  errno = error;
}

}  // namespace

int PosixFileSystem::Open(const std::string& path, OpenMode mode) {
  // Opening without blocking keeps a FIFO from holding the program until a writer
  // comes; nothing is read or written before the file is known to be a regular one.
  const int file = ::open(path.c_str(), OpenFlags(mode) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  if (file < 0) return -1;
  struct stat info {};
  if (::fstat(file, &info) != 0) {
    CloseKeepingError(file);
    return -1;
  }
  if (!S_ISREG(info.st_mode)) {
    ::close(file);
    errno = S_ISDIR(info.st_mode) ? EISDIR : ENXIO;
    return -1;
  }
  const int flags = ::fcntl(file, F_GETFL);
  if (flags < 0 || ::fcntl(file, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    CloseKeepingError(file);
    return -1;
  }
  return file;
}

std::int64_t PosixFileSystem::Read(int file, void* destination, std::size_t size) {
  ssize_t read = 0;
  do {
    read = ::read(file, destination, size);
  } while (read < 0 && errno == EINTR);
  return read;
}

std::int64_t PosixFileSystem::Write(int file, const void* source, std::size_t size) {
  ssize_t written = 0;
  do {
    written = ::write(file, source, size);
  } while (written < 0 && errno == EINTR);
  return written;
}

bool PosixFileSystem::Seek(int file, std::int64_t offsetFromStart) {
  return ::lseek(file, static_cast<off_t>(offsetFromStart), SEEK_SET) >= 0;
}

std::int64_t PosixFileSystem::Length(int file) {
  struct stat info {};
  return ::fstat(file, &info) == 0 ? info.st_size : -1;
}

bool PosixFileSystem::Truncate(int file, std::int64_t length) {
  return ::ftruncate(file, static_cast<off_t>(length)) == 0;
}

bool PosixFileSystem::Sync(int file) { return ::fsync(file) == 0; }

bool PosixFileSystem::Close(int file) {
  // Linux has closed the descriptor even when close reports EINTR: never close it twice.
  return ::close(file) == 0 || errno == EINTR;
}

bool PosixFileSystem::Lock(int file) {
  const auto giveUpAt = std::chrono::steady_clock::now() + kLockWait;
  while (::flock(file, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK && errno != EINTR) return false;
    if (std::chrono::steady_clock::now() >= giveUpAt) {
      errno = EWOULDBLOCK;
      return false;
    }
    std::this_thread::sleep_for(kLockPoll);
  }
  return true;
}

bool PosixFileSystem::StillNamedBy(int file, const std::string& path) {
  struct stat open {
  }, named{};
  if (::fstat(file, &open) != 0 || ::stat(path.c_str(), &named) != 0) return false;
  return open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

bool PosixFileSystem::CopyAccess(int model, int file) {
  struct stat info {};
  if (::fstat(model, &info) != 0) return false;
  // Only root may give a file away; a user's own file keeps its owner either way.
  if (::fchown(file, info.st_uid, info.st_gid) != 0 && errno != EPERM) return false;
  return ::fchmod(file, info.st_mode & 07777) == 0;
}

std::string PosixFileSystem::FinalPath(const std::string& path) {
  const std::unique_ptr<char, void (*)(void*)> resolved(::realpath(path.c_str(), nullptr),
                                                        &std::free);
  return resolved ? std::string(resolved.get()) : std::string();
}

bool PosixFileSystem::Rename(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool PosixFileSystem::Remove(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool PosixFileSystem::SyncFolder(const std::string& folder) {
  const int descriptor =
      ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return false;
  if (::fsync(descriptor) != 0) {
    CloseKeepingError(descriptor);
    return false;
  }
  return ::close(descriptor) == 0;
}

FileSystem& RealFileSystem() {
  static PosixFileSystem files;
  return files;
}

}  // namespace poirec
