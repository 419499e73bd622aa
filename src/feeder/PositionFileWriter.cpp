#include "feeder/PositionFileWriter.h"

#include <utility>

#include "platform/File.h"
#include "platform/Path.h"
#include "platform/ProgramPath.h"
#include "platform/TextEncoding.h"
#include "position/CoordinateText.h"
#include "position/PositionFile.h"

namespace poirec {
namespace {

// A name taken by a file that a crashed writer left behind is skipped for the next one.
constexpr int kCreateAttempts = 4;

// A position file is a few lines; a file larger than this is some other file.
constexpr std::size_t kLongestPositionFile = 64 * 1024;

}  // namespace

PositionFileWriter::PositionFileWriter(FileSystem& files, std::u16string path)
    : files_(files), path_(std::move(path)), folder_(FolderOf(path_)), name_(FileNameOf(path_)) {}

std::u16string PositionFileWriter::NextTemporaryPath() {
  const std::string suffix =
      "." + std::to_string(CurrentProcessId()) + "-" + std::to_string(++temporaryCount_) + ".tmp";
  return folder_ + u"." + name_ + Utf8ToUtf16(suffix);
}

bool PositionFileWriter::Write(std::string_view text, std::string& reason) {
  File file(files_);
  std::u16string temporary;
  for (int attempt = 0; attempt < kCreateAttempts && !file.IsOpen(); ++attempt) {
    temporary = NextTemporaryPath();
    if (!file.Open(temporary, File::Mode::CreateNew)) reason = LastErrorText();
  }
  if (!file.IsOpen()) {
    reason = "cannot create a temporary file beside it (" + reason + ")";
    return false;
  }

  const bool written = file.Write(text.data(), text.size()) && file.Sync();
  if (!written) reason = LastErrorText();
  const bool closed = file.Close();
  if (written && !closed) reason = LastErrorText();
  if (!written || !closed) {
    RemoveFile(files_, temporary);
    return false;
  }
  if (!ReplaceFile(files_, temporary, path_)) {
    reason = "cannot rename " + QuotedPath(temporary) + " over it (" + LastErrorText() + ")";
    RemoveFile(files_, temporary);
    return false;
  }
  if (!SyncFolder(files_, folder_)) {
    reason = "cannot sync its folder (" + LastErrorText() + ")";
    return false;
  }
  return true;
}

std::optional<PositionFileContents> ReadLastKnown(FileSystem& files, std::u16string_view path) {
  File file(files);
  if (!file.Open(path, File::Mode::Read)) {
    if (PathExists(path)) return std::nullopt;
    return PositionFileContents{};
  }
  std::string bytes(kLongestPositionFile + 1, '\0');
  bytes.resize(file.Read(bytes.data(), bytes.size()));
  file.Close();
  if (bytes.size() > kLongestPositionFile || !IsPositionFileText(bytes)) return std::nullopt;

  PositionFix fix;
  ReadPositionFileAt(files, fix, path);
  return PositionFileContents{.latitude = ToDegrees(fix.position.lat),
                              .longitude = ToDegrees(fix.position.lon),
                              .course = NormalizeCourse(fix.course)};
}

}  // namespace poirec
