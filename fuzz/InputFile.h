#pragma once
// The program reads pictures, position files and POI files from disk, so the fuzz targets
// hand each input to it as a file: one file in a folder of the target's own, rewritten
// for every input and removed with its folder when the run ends.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/TextEncoding.h"

namespace poirec::fuzz {

class InputFile {
 public:
  explicit InputFile(const std::string& name) {
    std::string pattern = (std::filesystem::temp_directory_path() / "poi-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    folder_ = pattern;
    path_ = folder_ / name;
  }
  ~InputFile() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  void Write(const std::uint8_t* data, std::size_t size) const {
    // A new file each time: ext4 makes a file emptied and written again wait for the disk.
    std::filesystem::remove(path_);
    std::ofstream out(path_, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out.flush()) std::abort();
  }

  // The folder and the file as the program's 16-bit paths.
  std::u16string Folder() const { return Utf8ToUtf16(folder_.string()); }
  std::u16string Path() const { return Utf8ToUtf16(path_.string()); }

 private:
  std::filesystem::path folder_;
  std::filesystem::path path_;
};

}  // namespace poirec::fuzz
