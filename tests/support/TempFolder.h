#pragma once
// Every test makes its files in a folder of its own, removed when the test ends.
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/TextEncoding.h"

namespace poirec::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The folder as the program's 16-bit text, ending with "/".
  std::u16string Folder() const { return Utf8ToUtf16(path_.string() + "/"); }
  // A path inside the folder, as 16-bit text.
  std::u16string File(std::string_view relative) const {
    return Utf8ToUtf16((path_ / relative).string());
  }
  // Writes bytes to a file inside the folder (parent folders are made) and returns its path.
  std::filesystem::path Write(std::string_view relative, std::string_view bytes) const;
  void MakeFolder(std::string_view relative) const {
    std::filesystem::create_directories(path_ / relative);
  }

 private:
  std::filesystem::path path_;
};

// The whole file as bytes; empty when it cannot be read.
std::string ReadBytes(const std::filesystem::path& path);

}  // namespace poirec::test
