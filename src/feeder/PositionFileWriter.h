#pragma once
// Writes the position file so that a reader never sees half of it: it is replaced in one
// step. It says how things are this moment, not data to keep, so it is never synced: a
// power cut may cost the last text, and the freshness stamp makes whatever is left of it no
// fix. A position file that is a symlink (one kept in memory, say) stays one, and the file it
// leads to is replaced.
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
  // Removes the temporary files that writers of this file left in earlier runs.
  PositionFileWriter(FileSystem& files, std::u16string path);

  bool Write(std::string_view text, std::string& reason) override;
  bool Empty(std::string& reason) override;

  const std::u16string& Path() const { return path_; }

 private:
  FileSystem& files_;
  std::u16string path_;
};

// What the file at path said before the feeder starts: its position (to the millionth of a
// degree, as the recorder reads it) and course are the last known ones. No file (or a link to
// none) gives zeros.
// Empty when something is there that cannot be read or is no position file: the feeder must
// leave it alone.
std::optional<PositionFileContents> ReadLastKnown(FileSystem& files, std::u16string_view path);

}  // namespace poirec
