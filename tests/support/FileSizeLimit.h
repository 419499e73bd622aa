#pragma once
// Makes every write past a file length fail, as a full disk does, for one scope: the
// process's file size limit is lowered and the signal it raises is ignored, so writes
// beyond the limit fail with an error instead.
#include <sys/resource.h>

#include <csignal>
#include <cstdint>

namespace poirec::test {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(std::uint64_t bytes) : previousHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  void (*previousHandler_)(int);
  rlimit previous_{};
};

}  // namespace poirec::test
