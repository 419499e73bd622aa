#include "platform/PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>
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

bool PosixFileSystem::CopyAccess(const std::string& modelPath, int file) {
  struct stat info {};
  if (::stat(modelPath.c_str(), &info) != 0) return false;
  // Only root may give a file away; a user's own file keeps its owner either way.
  if (::fchown(file, info.st_uid, info.st_gid) != 0 && errno != EPERM) return false;
  return ::fchmod(file, info.st_mode & 07777) == 0;
}

FileSystem::Kind PosixFileSystem::KindOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    return ::lstat(path.c_str(), &info) == 0 ? Kind::Other : Kind::Missing;
  }
  if (S_ISREG(info.st_mode)) return Kind::File;
  return S_ISDIR(info.st_mode) ? Kind::Folder : Kind::Other;
}

bool PosixFileSystem::List(const std::string& folder, std::vector<std::string>& names) {
  names.clear();
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()),
                                                &::closedir);
  if (!dir) return false;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  return true;
}

std::string PosixFileSystem::FinalPath(const std::string& path) {
  // The folder is resolved by the system; a link in the last part is followed here, so
  // that one leading to a file that is still to be made names where that file goes.
  std::string current = path;
  for (int hop = 0; hop < 40; ++hop) {
    const std::size_t slash = current.rfind('/');
    const std::string name = slash == std::string::npos ? current : current.substr(slash + 1);
    const std::string folder =
        slash == std::string::npos ? "." : current.substr(0, slash == 0 ? 1 : slash);
    const std::unique_ptr<char, void (*)(void*)> resolved(
        ::realpath((name.empty() || name == "." || name == ".." ? current : folder).c_str(),
                   nullptr),
        &std::free);
    if (!resolved) return {};
    if (name.empty() || name == "." || name == "..") return resolved.get();
    const std::string resolvedFolder = resolved.get();
    current = (resolvedFolder == "/" ? "" : resolvedFolder) + "/" + name;
    char target[PATH_MAX];
    const ssize_t length = ::readlink(current.c_str(), target, sizeof target);
    if (length < 0) return current;  // no link: a file, a folder, or nothing yet
    const std::string link(target, static_cast<std::size_t>(length));
    current = link.starts_with('/') ? link : resolvedFolder + "/" + link;
  }
  errno = ELOOP;
  return {};
}

bool PosixFileSystem::Rename(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool PosixFileSystem::RenameToFreeName(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system that cannot refuse by itself: the name is looked at first.
  if (KindOf(to) != Kind::Missing) {
    errno = EEXIST;
    return false;
  }
  return Rename(from, to);
}

bool PosixFileSystem::Remove(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool PosixFileSystem::MakeFolder(const std::string& path) {
  return ::mkdir(path.c_str(), 0777) == 0;
}

bool PosixFileSystem::RemoveFolder(const std::string& path) { return ::rmdir(path.c_str()) == 0; }

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
