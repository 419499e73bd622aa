#pragma once
// Files as the program uses them: opened by their 16-bit path (resolved as ResolvePath
// does), read, written through a buffer so that small writes cost no system call each,
// locked against other runs, synced, and closed with a report of whether everything written
// reached the file. Every call goes to a FileSystem, so tests can make any of them fail;
// errno is left as the failing call set it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace poirec {

class File {
 public:
  enum class Mode {
    Read,        // reading; other programs may go on reading and writing the file
    Write,       // "w": created, or emptied when it exists
    AppendText,  // "a+t": created when missing; every write goes to the end
    ReadWrite,   // reading and writing an existing file from its start
    CreateNew,   // writing a file that must not exist yet; a symlink in its place is not followed
  };

  explicit File(FileSystem& files) : files_(&files) {}
  ~File();
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Opens a regular file; a FIFO, a device or a folder does not open. A file already
  // open is closed first. On failure errno says why, as the system said it (EISDIR for a
  // folder).
  bool Open(std::u16string_view path, Mode mode);
  // The same for a native path, taken as it is.
  bool OpenNative(const std::string& path, Mode mode);
  bool IsOpen() const { return handle_ >= 0; }

  // Takes the exclusive lock every run holds while it changes the file, waiting a few
  // seconds at most. Then the path must still name this file: a deletion in another run
  // may have renamed its new file over it meanwhile, and that file is then opened and
  // locked instead. False when the lock was not granted or the file is gone.
  bool Lock();
  // Gives this file the owner (where allowed) and the permission bits of the file at
  // modelPath (a native path).
  bool TakeAccessFrom(const std::string& modelPath);

  // Reads up to size bytes and returns how many were read: fewer only at the end of the
  // file or on a read error.
  std::size_t Read(void* destination, std::size_t size);
  bool Write(const void* source, std::size_t size);
  bool Seek(std::int64_t offsetFromStart);
  // The current length of the file, buffered writes included; -1 when it is not known.
  std::int64_t Length();
  // Cuts the file to the given length (buffered writes are flushed first).
  bool Truncate(std::int64_t length);
  // Flushes buffered writes and makes the file's contents durable.
  bool Sync();
  // Closes the file; false when buffered data could not be written, an earlier write
  // failed or the close failed. Closing a file that is not open succeeds.
  bool Close();

 private:
  bool Flush();

  FileSystem* files_;
  int handle_ = -1;
  Mode mode_ = Mode::Read;
  std::string path_;     // the native path it was opened by
  std::string pending_;  // written bytes not yet handed to the file system
  bool writeFailed_ = false;
};

// Makes a folder (its parent must exist); true when the folder exists afterwards.
bool MakeFolder(FileSystem& files, std::u16string_view folder);

// The system's reason for the failure of the file operation just before, such as
// "No such file or directory", for messages to the user.
std::string LastErrorText();
// The same for an error number kept from earlier.
std::string ErrorText(int number);

}  // namespace poirec
