#pragma once
// Stream files: the one way the program reads and writes files. Writes are buffered, so
// the one-byte writes of the record writers cost no system call each; Close reports
// whether everything written reached the file.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace poirec {

class File {
 public:
  enum class Mode {
    Read,        // reading; other programs may go on reading and writing the file
    Write,       // "w": created, or emptied when it exists
    AppendText,  // "a+t": created when missing; every write goes to the end
    ReadWrite,   // reading and writing an existing file from its start
    CreateNew,   // writing a file made by this call; fails when the name is taken
  };

  File() = default;
  ~File();
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Opens the path, resolved as ResolvePath does. A file already open is closed first.
  // On failure errno says why, as the system said it (EISDIR for a folder).
  bool Open(std::u16string_view path, Mode mode);
  bool IsOpen() const { return stream_ != nullptr; }

  // Reads up to size bytes and returns how many were read: fewer only at the end of the
  // file or on a read error.
  std::size_t Read(void* destination, std::size_t size);
  bool Write(const void* source, std::size_t size);
  bool WriteByte(unsigned char byte);
  bool Seek(std::int64_t offsetFromStart);
  // The current length of the file, buffered writes included; -1 when it is not known.
  std::int64_t Length();
  // Cuts the file to the given length (buffered writes are flushed first).
  bool Truncate(std::int64_t length);
  // Flushes buffered writes and makes the file's contents durable.
  bool Sync();
  // Closes the file; false when buffered data could not be written or the close failed.
  // Closing a file that is not open succeeds.
  bool Close();

 private:
  std::FILE* stream_ = nullptr;
};

bool RemoveFile(std::u16string_view path);
// Replaces target by source in one step: the target is never missing in between.
bool ReplaceFile(std::u16string_view source, std::u16string_view target);
// The same for a target whose own name is taken as written (its folder is resolved): a
// file for programs that tell letter cases apart, where "Places.gpx" must never replace
// "places.gpx".
bool ReplaceFileNamed(std::u16string_view source, std::u16string_view target);
// Makes the entries of a folder (a created, removed or renamed file) durable.
bool SyncFolder(std::u16string_view folder);
// Whether anything (a file, a folder) is at the path, resolved as ResolvePath does.
bool PathExists(std::u16string_view path);
// Makes a folder (its parent must exist); true when the folder exists afterwards.
bool MakeFolder(std::u16string_view folder);

// The system's reason for the failure of the file operation just before, such as
// "No such file or directory", for messages to the user.
std::string LastErrorText();

}  // namespace poirec
