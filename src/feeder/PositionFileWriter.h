#pragma once
// Writes the position file so that a reader never sees half of it: the text goes into a
// temporary file of its own in the same folder and is renamed over the position file in one
// step. Nothing is synced: the file is the state of the moment, rewritten every second, and
// after a power cut its freshness stamp makes whatever is left of it no fix.
#include <optional>
#include <string>
#include <string_view>

#include "feeder/PositionText.h"
#include "platform/FileSystem.h"

namespace poirec {

// Where the feeder's text goes; the tests put a recording one in its place.
class PositionSink {
 public:
  virtual ~PositionSink() = default;
  // Replaces the file's text; false with the reason when it could not.
  virtual bool Write(std::string_view text, std::string& reason) = 0;
  // Empties the file where it is, when it exists: what can still be done when it cannot be
  // replaced, since it needs neither free space nor a folder that may be written to.
  virtual bool Empty(std::string& reason) = 0;
};

class PositionFileWriter final : public PositionSink {
 public:
  PositionFileWriter(FileSystem& files, std::u16string path);

  bool Write(std::string_view text, std::string& reason) override;
  bool Empty(std::string& reason) override;

  const std::u16string& Path() const { return path_; }

 private:
  // A name no other file has: hidden, beside the position file, with this process's id and a
  // count, so neither a reader of the position file nor another writer ever opens it.
  std::u16string NextTemporaryPath();

  FileSystem& files_;
  std::u16string path_;
  std::u16string folder_;  // where the temporary files go; empty for the working folder
  std::u16string name_;
  unsigned long temporaryCount_ = 0;
};

// What the file at path said before the feeder starts: its position (to the millionth of a
// degree, as the recorder reads it) and course are the last known ones. No file (or a link to
// none) gives zeros.
// Empty when something is there that cannot be read or is no position file: the feeder must
// leave it alone.
std::optional<PositionFileContents> ReadLastKnown(FileSystem& files, std::u16string_view path);

}  // namespace poirec
