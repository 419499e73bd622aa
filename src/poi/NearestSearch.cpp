#include "poi/NearestSearch.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/TextEncoding.h"
#include "poi/PoiLine.h"
#include "position/TextLineReader.h"

namespace poirec {
namespace {

// Beyond a few, more workers only wait for the same memory.
constexpr unsigned kMostWorkers = 4;

std::int64_t Distance(GeoPoint a, GeoPoint b) {
  return std::abs(std::int64_t{a.lon} - b.lon) + std::abs(std::int64_t{a.lat} - b.lat);
}

// The nearest POI line one worker has read so far.
struct Nearest {
  bool found = false;
  std::int64_t distance = 0;
  std::int32_t row = 0;
  GeoPoint position;
  std::u16string name;

  // Whether this line comes before other by the search's rule.
  bool Precedes(const Nearest& other) const {
    return found && (!other.found || distance < other.distance ||
                     (distance == other.distance && row < other.row));
  }
};

// Reads one category file; only a line strictly nearer than the best so far replaces it,
// so within a file the earliest line at the smallest distance stays.
void SearchFile(TextLineReader& reader, std::int32_t row, GeoPoint position, Nearest& best) {
  TextLineReader::Piece piece;
  GeoPoint poi;
  while (reader.ReadPiece(piece)) {
    // Most lines are passed on a first look at their longitude: even one millionth
    // nearer it would lie as far from the position as the best line, or farther.
    if (best.found && ReadPoiLongitudeNearly(piece.text, poi.lon) &&
        std::abs(std::int64_t{poi.lon} - position.lon) > best.distance)
      continue;
    if (!ParsePoiPosition(piece.text, poi)) continue;
    const std::int64_t distance = Distance(poi, position);
    if (best.found && distance >= best.distance) continue;
    // Only a line that leads so far needs its name, and with it the 16-bit text.
    const auto line = ParsePoiLine(DecodeFileText(piece.text));
    best = {true, distance, row, poi, line ? line->name : std::u16string()};
  }
}

// One worker: the files of the rows it takes, which it takes in table order. Files that
// cannot be opened are passed.
Nearest SearchRows(FileSystem& files, const CategoryTable& table, GeoPoint position,
                   std::atomic<std::int32_t>& nextRow) {
  Nearest best;
  TextLineReader reader(files);
  for (std::int32_t row = nextRow++; const CategoryEntry* entry = RowAt(table, row);
       row = nextRow++) {
    if (!reader.Open(PoiFilePath(*entry))) continue;
    SearchFile(reader, row, position, best);
    reader.Close();
  }
  return best;
}

}  // namespace

bool FindNearestPoiWith(int workers, FileSystem& files, const CategoryTable& table,
                        GeoPoint position, NearestPoiMatch& match) {
  workers = std::clamp(workers, 1, std::max(table.count, 1));
  std::vector<Nearest> nearest(static_cast<std::size_t>(workers));
  std::atomic<std::int32_t> nextRow{0};
  {
    std::vector<std::jthread> threads;
    threads.reserve(nearest.size() - 1);
    try {
      for (std::size_t i = 1; i < nearest.size(); ++i) {
        threads.emplace_back([&, i] { nearest[i] = SearchRows(files, table, position, nextRow); });
      }
    } catch (const std::system_error&) {
      // No more threads now: the workers that run take the remaining files.
    }
    nearest[0] = SearchRows(files, table, position, nextRow);
  }  // every worker has ended here
  const Nearest* first = &nearest[0];
  for (const Nearest& result : nearest) {
    if (result.Precedes(*first)) first = &result;
  }
  match.found = first->found;
  if (first->found) {
    match.fileIndex = first->row;
    match.position = first->position;
    match.name = first->name;
  }
  return first->found;
}

bool FindNearestPoi(FileSystem& files, const CategoryTable& table, GeoPoint position,
                    NearestPoiMatch& match) {
  const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, kMostWorkers);
  return FindNearestPoiWith(static_cast<int>(cores), files, table, position, match);
}

}  // namespace poirec
