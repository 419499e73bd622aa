#include "support/FileSizeLimit.h"

#include <sys/resource.h>

#include <csignal>

namespace poirec::test {

FileSizeLimit::FileSizeLimit(std::uint64_t bytes) {
  previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  ::getrlimit(RLIMIT_FSIZE, &limit);
  previousSoft_ = limit.rlim_cur;
  limit.rlim_cur = bytes;
  ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
  rlimit limit{};
  ::getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = previousSoft_;
  ::setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, previousHandler_);
}

}  // namespace poirec::test
