#include "poi/NearestPoi.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "platform/File.h"
#include "platform/Path.h"
#include "platform/TextCharacters.h"
#include "platform/TextEncoding.h"
#include "poi/PoiLine.h"
#include "position/TextLineReader.h"

namespace poirec {
namespace {

std::int64_t Distance(GeoPoint a, GeoPoint b) {
  return std::abs(std::int64_t{a.lon} - b.lon) + std::abs(std::int64_t{a.lat} - b.lat);
}

std::int32_t RowsInUse(const CategoryTable& table) {
  return std::clamp(table.count, 0, CategoryTable::kCapacity);
}

// The folder of a native path, for its sync.
std::string NativeFolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return path.substr(0, slash == 0 ? 1 : slash);
}

bool IsBlank(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char c) { return IsTrimmedSpace(c); });
}

// The new category file. Writes collect in a buffer of its own, so a line can still be
// taken back after its first pieces went out: a long line whose later piece lies at the
// match, or a line that turns out to be blank. A line that has already reached the file
// is cut off it again.
class RewrittenFile {
 public:
  explicit RewrittenFile(File& file) : file_(file) { buffer_.reserve(kFlushSize + 4096); }

  // Every line begins with its line break, like every record this program writes.
  bool BeginLine() {
    lineStart_ = written_ + static_cast<std::int64_t>(buffer_.size());
    return Put("\n");
  }

  bool Put(std::string_view bytes) {
    buffer_.append(bytes);
    return buffer_.size() < kFlushSize || Flush();
  }

  // Takes back everything since BeginLine.
  bool DropLine() {
    if (lineStart_ >= written_) {
      buffer_.resize(static_cast<std::size_t>(lineStart_ - written_));
      return true;
    }
    buffer_.clear();
    if (!file_.Truncate(lineStart_) || !file_.Seek(lineStart_)) return false;
    written_ = lineStart_;
    return true;
  }

  bool Flush() {
    if (!file_.Write(buffer_.data(), buffer_.size())) return false;
    written_ += static_cast<std::int64_t>(buffer_.size());
    buffer_.clear();
    return true;
  }

 private:
  static constexpr std::size_t kFlushSize = 64 * 1024;
  File& file_;
  std::string buffer_;
  std::int64_t written_ = 0;    // bytes handed to the file
  std::int64_t lineStart_ = 0;  // where the current line's break stands
};

struct CopyOutcome {
  bool readAll = false;
  bool writtenAll = false;
  std::size_t removedLines = 0;
};

// Copies the file line by line without the lines at the position and without blank
// lines. A line is recognised by its pieces exactly as the search saw them; a line
// any of whose pieces lies at the position is removed whole, and a kept line is
// written whole, however long it is.
CopyOutcome CopyWithoutPosition(TextLineReader& reader, File& target, GeoPoint position) {
  RewrittenFile out(target);
  CopyOutcome outcome;
  bool blank = true;
  bool atPosition = false;
  const bool copied = ReadLinePieces(
      reader,
      [&](const TextLineReader::Piece& piece, bool startsLine) {
        if (startsLine) {
          blank = true;
          atPosition = false;
          if (!out.BeginLine()) return false;
        }
        if (atPosition) return true;  // the rest of a line that goes
        GeoPoint poi;
        atPosition = ParsePoiPosition(piece.text, poi) && poi == position;
        blank = blank && IsBlank(piece.bytes);
        return out.Put(piece.bytes);
      },
      [&] {
        if (atPosition) ++outcome.removedLines;
        return !(atPosition || blank) || out.DropLine();
      });
  outcome.writtenAll = copied && out.Flush();
  outcome.readAll = copied && reader.ReadWholeFile();
  return outcome;
}

}  // namespace

bool FindNearestPoi(FileSystem& files, const CategoryTable& table, GeoPoint position,
                    NearestPoiMatch& match) {
  bool found = false;
  std::int64_t best = 0;
  TextLineReader reader(files);
  for (std::int32_t row = 0; row < RowsInUse(table); ++row) {
    if (!reader.Open(PoiFilePath(table.rows[static_cast<std::size_t>(row)]))) continue;
    TextLineReader::Piece piece;
    GeoPoint poi;
    while (reader.ReadPiece(piece)) {
      if (!ParsePoiPosition(piece.text, poi)) continue;
      const std::int64_t distance = Distance(poi, position);
      if (found && distance >= best) continue;  // the first line at the smallest distance wins
      // Only a line that leads so far needs its name, and with it the 16-bit text.
      const auto line = ParsePoiLine(DecodeCodePage(piece.text));
      best = distance;
      found = true;
      match.fileIndex = row;
      match.position = poi;
      match.name = line ? line->name : std::u16string();
    }
    reader.Close();
  }
  match.found = found;
  return found;
}

DeleteResult DeleteNearestPoi(FileSystem& files, const CategoryTable& table,
                              const NearestPoiMatch& match) {
  if (!match.found || match.fileIndex < 0 || match.fileIndex >= RowsInUse(table)) {
    return DeleteResult::NoMatch;
  }
  const CategoryEntry& row = table.rows[static_cast<std::size_t>(match.fileIndex)];
  // A category that is a symlink is rewritten where it points, so the link keeps working.
  const std::string path = files.FinalPath(ResolvePath(PoiFilePath(row)));
  if (path.empty()) return DeleteResult::NotOpened;

  // Opened for writing though only read: a file this user may not change is not
  // rewritten either. Its lock, held until the new file is in place, keeps the appends
  // and deletions of other runs out of the whole rewrite, so none of them is lost.
  File category(files);
  if (!category.OpenNative(path, File::Mode::ReadWrite)) {
    return File(files).OpenNative(path, File::Mode::Read) ? DeleteResult::NotWritten
                                                          : DeleteResult::NotOpened;
  }
  if (!category.Lock()) return DeleteResult::NotWritten;

  // Under the lock the temporary file is this run's alone: one that a killed run left
  // is removed, and whatever was planted in its place (a symlink, a FIFO) goes as a
  // name and is never followed. The new file is private until it has the category
  // file's permissions, and gets its owner where the system allows.
  const std::string temporaryPath = path + "2";
  files.Remove(temporaryPath);
  File temporary(files);
  if (!temporary.OpenNative(temporaryPath, File::Mode::CreateNew)) return DeleteResult::NotWritten;
  DeleteResult result = DeleteResult::Deleted;
  if (!temporary.TakeAccessFrom(category)) result = DeleteResult::NotWritten;

  TextLineReader reader(files);
  reader.Open(std::move(category));  // the reader holds the lock from here on
  if (result == DeleteResult::Deleted) {
    const CopyOutcome copied = CopyWithoutPosition(reader, temporary, match.position);
    if (!copied.writtenAll) {
      result = DeleteResult::NotWritten;
    } else if (!copied.readAll) {
      result = DeleteResult::NotOpened;
    } else if (copied.removedLines == 0) {
      result = DeleteResult::NotPresent;
    } else if (!temporary.Sync()) {
      result = DeleteResult::NotWritten;
    }
  }
  const bool closed = temporary.Close();
  if (result == DeleteResult::Deleted && !closed) result = DeleteResult::NotWritten;
  // The rename replaces the category file in one step: it is never missing in between.
  if (result == DeleteResult::Deleted && !files.Rename(temporaryPath, path)) {
    result = DeleteResult::NotWritten;
  }
  if (result != DeleteResult::Deleted) {
    files.Remove(temporaryPath);
    return result;
  }
  // The new contents are in place either way; this makes the rename itself durable.
  files.SyncFolder(NativeFolderOf(path));
  return DeleteResult::Deleted;
}

}  // namespace poirec
