#include "app/CommandLine.h"

#include <cstdio>

namespace poirec {

InfoRequest FindInfoRequest(int argc, const char* const argv[]) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--help" || argument == "-h") return InfoRequest::Help;
    if (argument == "--version") return InfoRequest::Version;
  }
  return InfoRequest::None;
}

int PrintInfo(std::string_view text) {
  const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
  return written && std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace poirec
