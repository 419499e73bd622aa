#include "feeder/PositionFileWriter.h"

#include <cerrno>
#include <utility>

#include "platform/File.h"
#include "platform/FileReplacement.h"
#include "platform/Path.h"
#include "position/CoordinateText.h"
#include "position/PositionFile.h"

namespace poirec {
namespace {

// A position file is a few lines; a file larger than this is some other file.
constexpr std::size_t kLongestPositionFile = 64 * 1024;

}  // namespace

PositionFileWriter::PositionFileWriter(FileSystem& files, std::u16string path)
    : files_(files), path_(std::move(path)) {
  RemoveLeftoverTemporaryFiles(files_, ResolvePath(files_, path_));
}

bool PositionFileWriter::Write(std::string_view text, std::string& reason) {
  FileReplacement replacement(files_, ResolvePath(files_, path_),
                              FileReplacement::Keep::ForTheMoment);
  if (replacement.Begin() && replacement.Contents().Write(text.data(), text.size()) &&
      replacement.Commit()) {
    return true;
  }
  reason = replacement.Problem().empty() ? LastErrorText() : replacement.Problem();
  return false;
}

bool PositionFileWriter::Empty(std::string& reason) {
  File file(files_);
  if (file.Open(path_, File::Mode::ReadWrite) && file.Truncate(0) && file.Close()) return true;
  reason = LastErrorText();
  return errno == ENOENT;  // no file gives no fix either
}

std::optional<PositionFileContents> ReadLastKnown(FileSystem& files, std::u16string_view path) {
  File file(files);
  if (!file.Open(path, File::Mode::Read)) {
    // Nothing there, or a link to a file yet to be made (in a folder in RAM, emptied at
    // each start): no file. A folder or a device is something else.
    if (errno == ENOENT) return PositionFileContents{};
    return std::nullopt;
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
