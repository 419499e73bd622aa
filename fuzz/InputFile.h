#pragma once
// The program reads pictures, position files and POI files from disk, so the fuzz targets
// hand each input to it as a file: one file in a temporary folder of the target's own,
// rewritten for every input and removed with its folder when the run ends.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "support/TempFolder.h"

namespace poirec::fuzz {

class InputFile {
 public:
  explicit InputFile(std::string name) : name_(std::move(name)) {}

  void Write(const std::uint8_t* data, std::size_t size) const {
    // A new file each time: ext4 makes a file emptied and written again wait for the disk.
    std::filesystem::remove(folder_.Path() / name_);
    folder_.Write(name_, std::string_view(reinterpret_cast<const char*>(data), size));
  }

  // The folder (without its final "/") and the file as the program's 16-bit paths.
  std::u16string Folder() const { return Utf8ToUtf16(folder_.Path().string()); }
  std::u16string Path() const { return folder_.File(name_); }

 private:
  test::TempFolder folder_;
  std::string name_;
};

}  // namespace poirec::fuzz
