#include "poi/Placement.h"

#include <gtest/gtest.h>

#include "platform/PosixFileSystem.h"
#include "support/CategoryFolder.h"

namespace poirec {
namespace {

// Every figure follows from the constants and the order of the operations to the
// millionth; a rounded pi, a rounding instead of a truncation or the range step applied
// differently each moves one of them.
TEST(PlaceBesideStreet, MovesTwentyMetresToTheChosenSideToTheMillionth) {
  constexpr std::int32_t kLon = 8123456, kLat = 47123456;  // about 8.12 east, 47.12 north
  // Longitude, latitude, course, side; the placed longitude and latitude.
  const std::int32_t cases[][6] = {
      {kLon, kLat, 0, kRightOfStreet, 8123720, 47123456},    // north, right: east
      {kLon, kLat, 0, kLeftOfStreet, 8123191, 47123455},     // cos 270 is a tiny negative
      {kLon, kLat, 180, kLeftOfStreet, 8123720, 47123456},   // south, left: east
      {kLon, kLat, 90, kLeftOfStreet, 8123456, 47123635},    // east, left: north
      {kLon, kLat, 45, kLeftOfStreet, 8123269, 47123583},    // -45 becomes 315
      {kLon, kLat, 300, kRightOfStreet, 8123588, 47123611},  // 390 becomes 30
      {kLon, kLat, 270, kRightOfStreet, 8123455, 47123635},  // 360 stays; sin 360 < 0
      {-58381600, -34603700, 0, kRightOfStreet, -58381381, -34603699},  // toward zero
      {kLon, kLat, -90, kLeftOfStreet, 8123456, 47123276},              // -180 becomes 180: south
      {kLon, kLat, 2147483647, kRightOfStreet, 8123297, 47123312},      // no overflow
      // Whole degrees, as some programs write the position file; heading east, left is north.
      {8000000, 47000000, 90, kLeftOfStreet, 8000000, 47000179},
      {8000000, 47000000, 90, kRightOfStreet, 8000000, 46999820},
  };
  for (const auto& c : cases) {
    const GeoPoint placed = PlaceBesideStreet({{c[0], c[1]}, c[2], 1}, c[3]);
    EXPECT_EQ(std::pair(placed.lon, placed.lat), std::pair(c[4], c[5]))
        << "course " << c[2] << ", side " << c[3];
  }
}

TEST(RecordPlacement, AppendsToTheSelectedCategoryOnly) {
  test::CategoryFolder pois;
  const CategoryTable& table = pois.table;
  pois.Add("Cafe", std::nullopt);
  pois.Add("Fuel", "\n1.0000000, 2.0000000, \"old\"");
  const PositionFix fix{{8123456, 47123456}, 0, 1};
  const LocalDateTime time{2026, 12, 6, 5, 14, 3, 59, 0};
  ASSERT_EQ(RecordExact(RealFileSystem(), table, 1, fix, time), AppendResult::Appended);
  ASSERT_EQ(RecordBesideStreet(RealFileSystem(), table, 1, fix, time, kLeftOfStreet),
            AppendResult::Appended);
  // The latitude is written with five decimals and "00".
  EXPECT_EQ(pois.Read("Fuel.asc"),
            "\n1.0000000, 2.0000000, \"old\""
            "\n8.1234560, 47.1234600, \"Quillon RECORD (05.12.26 14:03:59)\""
            "\n8.1231910, 47.1234500, \"Quillon RECORD (05.12.26 14:03:59)\"");
  for (const std::int32_t index : {-1, 2, CategoryTable::kCapacity}) {  // no row: no file
    EXPECT_EQ(RecordExact(RealFileSystem(), table, index, fix, time), AppendResult::NotOpened)
        << index;
  }
  EXPECT_FALSE(pois.Exists("Cafe.asc"));
}

}  // namespace
}  // namespace poirec
