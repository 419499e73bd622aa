#include "platform/ProgramPath.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "platform/Path.h"
#include "platform/TextEncoding.h"

namespace poirec {

std::u16string ProgramFilePath() {
  std::array<char, PATH_MAX> buffer{};
  const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (length <= 0) return {};
  return Utf8ToUtf16(std::string_view(buffer.data(), static_cast<std::size_t>(length)));
}

std::u16string FolderOfProgram(std::u16string_view programFilePath) {
  const std::u16string_view folder = FolderOf(programFilePath);
  return folder.empty() ? u"/" : std::u16string(folder);
}

std::u16string ProgramFolder() { return FolderOfProgram(ProgramFilePath()); }

long CurrentProcessId() { return static_cast<long>(::getpid()); }

bool ProcessRuns(long id) {
  // A process of another user answers, but may not be signalled.
  return id > 0 && (::kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM);
}

}  // namespace poirec
