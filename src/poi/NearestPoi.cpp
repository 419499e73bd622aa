#include "poi/NearestPoi.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "platform/File.h"
#include "platform/FileReplacement.h"
#include "platform/Path.h"
#include "platform/TextCharacters.h"
#include "poi/DeletedLines.h"
#include "poi/PoiLine.h"
#include "position/TextLineReader.h"

namespace poirec {
namespace {

std::int32_t RowsInUse(const CategoryTable& table) {
  return std::clamp(table.count, 0, CategoryTable::kCapacity);
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

// Whether a piece reads as a POI line at the position. Most lines of a file lie
// elsewhere, and a first look at the longitude tells so without reading the numbers
// exactly.
bool ReadsAsPoiAt(std::string_view text, GeoPoint position) {
  std::int32_t lon = 0;
  if (ReadPoiLongitudeNearly(text, lon) && std::abs(std::int64_t{lon} - position.lon) > 1) {
    return false;
  }
  GeoPoint poi;
  return ParsePoiPosition(text, poi) && poi == position;
}

struct CopyOutcome {
  bool readAll = false;
  bool writtenAll = false;
  std::size_t removedLines = 0;
  std::string removed;  // the removed lines as read, each after its line break
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
  std::string line;  // the line's bytes, for keeping it when it is removed
  const bool copied = ReadLinePieces(
      reader,
      [&](const TextLineReader::Piece& piece, bool startsLine) {
        if (startsLine) {
          blank = true;
          atPosition = false;
          line.clear();
          if (!out.BeginLine()) return false;
        }
        line += piece.bytes;
        if (atPosition) return true;  // the rest of a line that goes
        atPosition = ReadsAsPoiAt(piece.text, position);
        blank = blank && IsBlank(piece.bytes);
        return out.Put(piece.bytes);
      },
      [&] {
        if (atPosition) {
          ++outcome.removedLines;
          outcome.removed += '\n';
          outcome.removed += line;
        }
        return !(atPosition || blank) || out.DropLine();
      });
  outcome.writtenAll = copied && out.Flush();
  outcome.readAll = copied && reader.ReadWholeFile();
  return outcome;
}

}  // namespace

DeleteResult DeleteNearestPoi(FileSystem& files, const CategoryTable& table,
                              const NearestPoiMatch& match, DeleteFailure* failure) {
  if (!match.found || match.fileIndex < 0 || match.fileIndex >= RowsInUse(table)) {
    return DeleteResult::NoMatch;
  }
  const CategoryEntry& row = table.rows[static_cast<std::size_t>(match.fileIndex)];
  const std::u16string category = PoiFilePath(row);
  const auto fail = [&](DeleteResult result, std::string reason) {
    if (failure) *failure = {category, std::move(reason)};
    return result;
  };
  // A category that is a symlink is rewritten where it points, so the link keeps working.
  const std::string path = files.FinalPath(ResolvePath(files, category));
  if (path.empty()) return fail(DeleteResult::NotOpened, LastErrorText());

  // Opened for writing though only read: a file this user may not change is not
  // rewritten either. Its lock, held until the new file is in place, keeps the appends
  // and deletions of other runs out of the whole rewrite, so none of them is lost.
  File original(files);
  if (!original.OpenNative(path, File::Mode::ReadWrite)) {
    const std::string reason = LastErrorText();
    return fail(File(files).OpenNative(path, File::Mode::Read) ? DeleteResult::NotWritten
                                                               : DeleteResult::NotOpened,
                reason);
  }
  if (!original.Lock()) {
    return fail(DeleteResult::NotWritten, "another run keeps it locked (" + LastErrorText() + ")");
  }
  // The reader holds the lock from here on, and gives it up only after the replacement
  // has put its file in place or removed it: under the lock the ".asc2" name is this
  // run's alone.
  TextLineReader reader(files);
  reader.Open(std::move(original));
  FileReplacement replacement(files, path, FileReplacement::Keep::Durably);
  if (!replacement.BeginAs(path + "2"))
    return fail(DeleteResult::NotWritten, replacement.Problem());

  const CopyOutcome copied = CopyWithoutPosition(reader, replacement.Contents(), match.position);
  if (!copied.writtenAll) return fail(DeleteResult::NotWritten, LastErrorText());
  if (!copied.readAll) return fail(DeleteResult::NotOpened, "it could not be read to its end");
  if (copied.removedLines == 0) return DeleteResult::NotPresent;
  // Kept before they go, once the new file is written; a rename that then fails leaves
  // them kept and still in place, never lost.
  AppendError kept;
  if (KeepDeletedLines(files, category, copied.removed, &kept) != AppendResult::Appended) {
    if (failure) *failure = {kept.path, kept.number != 0 ? ErrorText(kept.number) : "not written"};
    return DeleteResult::NotKept;
  }
  if (!replacement.Commit()) return fail(DeleteResult::NotWritten, replacement.Problem());
  return DeleteResult::Deleted;
}

}  // namespace poirec
