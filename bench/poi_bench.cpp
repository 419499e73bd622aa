// Generates POI folders and times the nearest-POI search and the deletion in-process.
// bench/run.sh runs it beside wc -l, mawk and cp + sync on the same files.
//
//   poi_bench generate <folder> <files> <lines in all>   writes <folder>/pois/*.asc
//   poi_bench search <folder> <lon> <lat> <repeats>      times FindNearestPoi
//   poi_bench delete <pristine file> <folder> <name> <repeats>
//                                                         times DeleteNearestPoi in
//                                                         <folder>/pois/<name>.asc
// Times are the best of the repeats, in milliseconds; the peak memory is the process's.
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "platform/DirectorySearch.h"
#include "platform/File.h"
#include "platform/PosixFileSystem.h"
#include "platform/TextEncoding.h"
#include "poi/CategoryTable.h"
#include "poi/NearestPoi.h"
#include "poi/RecordText.h"

namespace {

using namespace poirec;

std::u16string Folder(const char* path) {
  std::u16string folder = Utf8ToUtf16(path);
  if (folder.empty() || folder.back() != u'/') folder += u'/';
  return folder;
}

long PeakMemoryKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

double BestMilliseconds(int repeats, const std::function<void()>& prepare,
                        const std::function<void()>& run) {
  double best = 1e300;
  for (int i = 0; i < repeats; ++i) {
    prepare();
    const auto start = std::chrono::steady_clock::now();
    run();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count());
  }
  return best;
}

// Every ".asc" file of the folder's "pois" in name order, as the catalogue would list it.
CategoryTable TableOf(const std::u16string& folder) {
  std::vector<std::u16string> names = FindFiles(RealFileSystem(), folder + u"pois/*.asc");
  std::sort(names.begin(), names.end());
  CategoryTable table;
  for (const std::u16string& file : names) {
    if (table.count == CategoryTable::kCapacity) break;
    CategoryEntry& row = table.rows[static_cast<std::size_t>(table.count++)];
    row.name = file.substr(0, file.size() - 4);
    row.bitmapPath = folder + u"pois/" + row.name + u".bmp";
  }
  return table;
}

int Generate(const std::u16string& folder, int files, long lines) {
  std::filesystem::create_directories(Utf16ToUtf8(folder + u"pois"));
  std::mt19937 random(1205);
  std::uniform_int_distribution<std::int32_t> longitude(-10000000, 30000000);
  std::uniform_int_distribution<std::int32_t> latitude(35000000, 60000000);
  std::uniform_int_distribution<int> day(1, 28), month(1, 12), hour(0, 23), minute(0, 59);
  for (int f = 0; f < files; ++f) {
    char name[32];
    std::snprintf(name, sizeof name, "Category%03d.asc", f);
    File file(RealFileSystem());
    if (!file.Open(folder + u"pois/" + Utf8ToUtf16(name), File::Mode::Write)) return 1;
    std::string bytes;
    const long count = lines / files + (f < lines % files ? 1 : 0);
    for (long i = 0; i < count; ++i) {
      LocalDateTime time{2026,
                         static_cast<std::uint16_t>(month(random)),
                         0,
                         static_cast<std::uint16_t>(day(random)),
                         static_cast<std::uint16_t>(hour(random)),
                         static_cast<std::uint16_t>(minute(random)),
                         static_cast<std::uint16_t>(minute(random)),
                         0};
      // Braces draw the longitude before the latitude, on every compiler.
      const GeoPoint position{longitude(random), latitude(random)};
      const std::u16string text = FormatRecordText(position, RecordName(DateTimeText(time, true)));
      for (const char16_t c : text) bytes += static_cast<char>(LowByte(c));
    }
    if (!file.Write(bytes.data(), bytes.size()) || !file.Close()) return 1;
  }
  return 0;
}

int Search(const std::u16string& folder, GeoPoint position, int repeats) {
  const CategoryTable table = TableOf(folder);
  NearestPoiMatch match;
  FindNearestPoi(RealFileSystem(), table, position,
                 match);  // the files are read once before the timing
  const double ms = BestMilliseconds(
      repeats, [] {}, [&] { FindNearestPoi(RealFileSystem(), table, position, match); });
  std::printf("%.1f %ld %s %d %d %s\n", ms, PeakMemoryKilobytes(),
              Utf16ToUtf8(table.rows[static_cast<std::size_t>(match.fileIndex)].name).c_str(),
              match.position.lon, match.position.lat, Utf16ToUtf8(match.name).c_str());
  return match.found ? 0 : 1;
}

int Delete(const char* pristine, const std::u16string& folder, const std::u16string& name,
           int repeats) {
  CategoryTable table;
  table.rows[0].name = name;
  table.rows[0].bitmapPath = folder + u"pois/" + name + u".bmp";
  table.count = 1;
  const std::string target = Utf16ToUtf8(PoiFilePath(table.rows[0]));
  NearestPoiMatch match;
  bool deleted = true;
  const double ms = BestMilliseconds(
      repeats,
      [&] {
        // A fresh copy, written out before the timing starts; the POI nearest to a
        // position in the middle of the covered area.
        std::filesystem::copy_file(pristine, target,
                                   std::filesystem::copy_options::overwrite_existing);
        ::sync();
        FindNearestPoi(RealFileSystem(), table, {10000000, 47500000}, match);
      },
      [&] {
        deleted =
            deleted && DeleteNearestPoi(RealFileSystem(), table, match) == DeleteResult::Deleted;
      });
  std::printf("%.1f %ld\n", ms, PeakMemoryKilobytes());
  return deleted ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "generate" && argc == 5) {
    return Generate(Folder(argv[2]), std::atoi(argv[3]), std::atol(argv[4]));
  }
  if (command == "search" && argc == 6) {
    return Search(Folder(argv[2]), {std::atoi(argv[3]), std::atoi(argv[4])}, std::atoi(argv[5]));
  }
  if (command == "delete" && argc == 6) {
    return Delete(argv[2], Folder(argv[3]), Utf8ToUtf16(argv[4]), std::atoi(argv[5]));
  }
  std::fprintf(stderr, "usage: see the top of bench/poi_bench.cpp\n");
  return 2;
}
