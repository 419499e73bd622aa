#pragma once
// Makes every write past a file length fail, as a full disk does, for one scope: the
// process's file size limit is lowered and the signal it raises is ignored, so writes
// beyond the limit fail with an error instead.
#include <cstdint>

namespace poirec::test {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(std::uint64_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  std::uint64_t previousSoft_ = 0;
  void (*previousHandler_)(int) = nullptr;
};

}  // namespace poirec::test
