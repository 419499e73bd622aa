// The search on several workers finds what a plain reading of every line in table order
// finds: the first line at the smallest distance, also among ties across files.
#include "poi/NearestSearch.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <tuple>

#include "platform/PosixFileSystem.h"
#include "poi/PoiLine.h"
#include "poi/RecordText.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

TEST(NearestSearch, EveryNumberOfWorkersFindsTheFirstNearestLine) {
  // 8.1234560 reads as 8123455, one millionth below its digits, so a line written so lies
  // at 0 in longitude; records keep five decimals of the latitude.
  const GeoPoint position{8123455, 47123460};
  for (unsigned seed = 1; seed <= 40; ++seed) {
    std::mt19937 random(seed);
    const test::TempFolder folder;
    CategoryTable table;
    NearestPoiMatch expected;  // by the plain reading
    std::int64_t best = 0;
    for (const auto files = 1 + random() % 9; table.count < static_cast<int>(files);
         ++table.count) {
      const std::string name = "pois/c" + std::to_string(table.count);
      table.rows[static_cast<std::size_t>(table.count)].bitmapPath = folder.File(name + ".bmp");
      if (random() % 6 == 0) continue;  // no file
      std::string bytes;
      for (auto line = random() % 40; line > 0; --line) {
        // A few millionths around the position, so that many lines lie equally far.
        const GeoPoint poi{position.lon + static_cast<int>(random() % 5) - 2,
                           position.lat + 10 * (static_cast<int>(random() % 3) - 1)};
        const std::u16string text =
            FormatRecordText(poi, u"\"" + Utf8ToUtf16(name + "/" + std::to_string(line)) + u"\"");
        std::string written = Utf16ToUtf8(text);
        // Lines not as this program writes them take the exact reading only.
        if (random() % 4 == 0) written.insert(1, random() % 2 ? " " : ";");
        bytes += written;
        if (const auto read = ParsePoiLine(DecodeCodePage(written.substr(1)))) {
          const std::int64_t distance = std::abs(read->position.lon - position.lon) +
                                        std::abs(read->position.lat - position.lat);
          if (expected.found && distance >= best) continue;
          best = distance;
          expected = {table.count, read->position, read->name, true};
        }
      }
      folder.Write(name + ".asc", bytes);
    }
    for (const int workers : {1, 2, 3}) {
      NearestPoiMatch match;
      EXPECT_EQ(FindNearestPoiWith(workers, RealFileSystem(), table, position, match),
                expected.found);
      EXPECT_EQ(std::tie(match.fileIndex, match.position, match.name),
                std::tie(expected.fileIndex, expected.position, expected.name))
          << "seed " << seed << ", " << workers << " workers";
    }
  }
}

}  // namespace
}  // namespace poirec
