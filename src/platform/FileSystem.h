#pragma once
// The one way the program reaches files: a small interface, so that every operation that
// writes a category file can be tested against a disk that fails, and one real
// implementation (PosixFileSystem) that is the only code calling the system for files.
//
// Paths are native (UTF-8, as on disk). A file is a small integer handle, -1 for none.
// A call that fails returns false, -1 or an empty path and leaves errno as the failing
// system call set it, so a message can still name the system's reason.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace poirec {

class FileSystem {
 public:
  enum class OpenMode {
    Read,       // an existing file, for reading
    ReadWrite,  // an existing file, for reading and writing from its start
    Append,     // reading and appending; created when missing, never emptied
    Truncate,   // writing; created when missing, emptied when it exists
    CreateNew,  // writing a file that must not exist yet; a symlink in its place is not followed
  };

  virtual ~FileSystem() = default;

  // Opens a regular file without waiting: a FIFO, a device or a folder is refused before
  // anything is read or written, as if it were missing.
  virtual int Open(const std::string& path, OpenMode mode) = 0;
  // Bytes read (0 at the end) or -1; bytes written or -1. Either may do less than asked.
  virtual std::int64_t Read(int file, void* destination, std::size_t size) = 0;
  virtual std::int64_t Write(int file, const void* source, std::size_t size) = 0;
  virtual bool Seek(int file, std::int64_t offsetFromStart) = 0;
  virtual std::int64_t Length(int file) = 0;
  virtual bool Truncate(int file, std::int64_t length) = 0;
  // Makes the file's contents durable.
  virtual bool Sync(int file) = 0;
  virtual bool Close(int file) = 0;

  // Takes the exclusive lock that every run holds while it changes a file, waiting a few
  // seconds at most for another run to give it up. Closing the file gives it up.
  virtual bool Lock(int file) = 0;
  // Whether path still names the open file (a rename may have put another file there).
  virtual bool StillNamedBy(int file, const std::string& path) = 0;
  // Gives file the owner (where the system allows it) and permission bits of the file
  // at modelPath.
  virtual bool CopyAccess(const std::string& modelPath, int file) = 0;

  enum class Kind {
    Missing,  // nothing is there
    File,     // a regular file, or a symlink to one
    Folder,   // a folder, or a symlink to one
    Other,    // a FIFO, a device, a socket, or a symlink that leads nowhere
  };
  virtual Kind KindOf(const std::string& path) = 0;
  // The names in a folder ("." and ".." left out), in the order the system lists them.
  virtual bool List(const std::string& folder, std::vector<std::string>& names) = 0;
  // The path with every symlink followed, also a last one that leads to no file yet;
  // empty when its folder does not exist.
  virtual std::string FinalPath(const std::string& path) = 0;
  // Replaces to by from in one step: to is never missing in between.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  // Gives from the name to only while that name is free (EEXIST otherwise): what stands
  // there is never replaced.
  virtual bool RenameToFreeName(const std::string& from, const std::string& to) = 0;
  // Removes a name; a symlink goes, not what it points to.
  virtual bool Remove(const std::string& path) = 0;
  // Makes a folder (its parent must exist); EEXIST when anything is there.
  virtual bool MakeFolder(const std::string& path) = 0;
  // Removes an empty folder.
  virtual bool RemoveFolder(const std::string& path) = 0;
  // Makes a folder's entries (a created, removed or renamed file) durable.
  virtual bool SyncFolder(const std::string& folder) = 0;
};

}  // namespace poirec
