#pragma once
// The POI nearest to a position over all category files, and its removal from its file.
// Nearest means the smallest sum of the differences of longitude and latitude in
// millionths of a degree: a ranking, not a length in metres.
#include <cstdint>
#include <string>

#include "platform/FileSystem.h"
#include "poi/CategoryTable.h"
#include "poi/RecordText.h"
#include "position/GeoPoint.h"

namespace poirec {

struct NearestPoiMatch {
  std::int32_t fileIndex = 0;  // the CategoryTable row whose file holds the POI
  GeoPoint position;           // as read
  std::u16string name;         // the name field as read (PoiLine::name)
  // Whether the last search found a POI line. A search without one leaves the fields
  // above as they were, and a deletion then does nothing.
  bool found = false;
};

// Reads every category file (on one worker per core, NearestSearch.h) and keeps the first
// POI line at the smallest distance: the earliest row, and within a file the earliest
// line, wins a tie. Files that cannot be opened are skipped. Returns whether a POI line
// was found; only then are the match's position and name replaced.
bool FindNearestPoi(FileSystem& files, const CategoryTable& table, GeoPoint position,
                    NearestPoiMatch& match);

enum class DeleteResult {
  Deleted,     // every line at the match's position is gone from its file
  NoMatch,     // the last search found nothing, or its row is not in the table
  NotPresent,  // the file holds no line at the match's position (any more)
  NotOpened,   // the category file could not be read
  NotWritten,  // the file may not be changed, is locked, or the new file could not be
               // written completely or put in place
  NotKept,     // the lines could not be kept in "deleted/", so none was removed
};

// Which category file a deletion could not change, and why (UTF-8).
struct DeleteFailure {
  std::u16string path;
  std::string reason;
};

// Rewrites the match's category file without the lines at the match's position (the
// name is not compared, so POIs recorded at the same spot go together). Every other
// line that is not blank is written back as it was read, after its line break; blank
// lines are dropped. The new file ("<file>.asc2") is written beside the old one with its
// permissions, made durable and then renamed over it in one step; a symlinked category is
// rewritten at its target. The category file's lock is held throughout, so a record
// another run appends meanwhile waits and then lands in the new file. Whatever fails
// (also a lock not granted in time, or a file this user may not write), the category
// file is left byte for byte as it was and the temporary file is removed; failure, when
// given, then says which file and why. The lines removed are kept in "deleted/" beside the
// category file before the new file takes its place (KeepDeletedLines); when they cannot be,
// nothing is deleted (NotKept) and failure names the file they were to be kept in.
DeleteResult DeleteNearestPoi(FileSystem& files, const CategoryTable& table,
                              const NearestPoiMatch& match, DeleteFailure* failure = nullptr);

}  // namespace poirec
