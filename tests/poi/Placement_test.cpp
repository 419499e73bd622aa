#include "poi/Placement.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace poirec {
namespace {

using test::ReadBytes;
using test::TempFolder;

PositionFix Fix(std::int32_t lon, std::int32_t lat, std::int32_t course) {
  return PositionFix{lon, lat, course, 1};
}

struct PlacementCase {
  const char* what;
  std::int32_t course;
  std::int32_t offset;
  std::int32_t longitude;
  std::int32_t latitude;
};

// About 8.12 degrees east, 47.12 north. Every figure follows from the constants and the
// order of the operations to the millionth; a rounded pi, a rounding instead of a
// truncation or the range step applied differently each moves one of them.
TEST(PlaceBesideStreet, MovesTwentyMetresToTheChosenSideToTheMillionth) {
  const PlacementCase cases[] = {
      {"heading north, right: east", 0, kRightOfStreet, 8123720, 47123456},
      {"heading north, left: cos 270 is a tiny negative", 0, kLeftOfStreet, 8123191, 47123455},
      {"heading south, left: east", 180, kLeftOfStreet, 8123720, 47123456},
      {"heading east, left: north", 90, kLeftOfStreet, 8123456, 47123635},
      {"north-east, left: -45 becomes 315", 45, kLeftOfStreet, 8123269, 47123583},
      {"300, right: 390 becomes 30", 300, kRightOfStreet, 8123588, 47123611},
      {"heading west, right: 360 stays", 270, kRightOfStreet, 8123455, 47123635},
  };
  for (const PlacementCase& c : cases) {
    const PlacedPosition placed = PlaceBesideStreet(Fix(8123456, 47123456, c.course), c.offset);
    EXPECT_EQ(placed.longitude, c.longitude) << c.what;
    EXPECT_EQ(placed.latitude, c.latitude) << c.what;
  }
}

TEST(PlaceBesideStreet, TruncatesNegativeCoordinatesTowardZero) {
  const PlacedPosition placed =
      PlaceBesideStreet(Fix(-58381600, -34603700, 0), kRightOfStreet);
  EXPECT_EQ(placed.longitude, -58381381);
  EXPECT_EQ(placed.latitude, -34603699);
}

TEST(PlaceBesideStreet, CourseBeyondTheCircleIsBroughtBackOnceWithoutOverflow) {
  // -90 - 90 = -180 becomes 180: moved south.
  const PlacedPosition south = PlaceBesideStreet(Fix(8123456, 47123456, -90), kLeftOfStreet);
  EXPECT_EQ(south.longitude, 8123456);
  EXPECT_EQ(south.latitude, 47123456 - 180);
  // A course read from a broken file must not overflow the sum.
  const PlacedPosition huge =
      PlaceBesideStreet(Fix(8123456, 47123456, 2147483647), kRightOfStreet);
  EXPECT_NEAR(huge.longitude, 8123456, 300);
  EXPECT_NEAR(huge.latitude, 47123456, 300);
}

class RecordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    table.rows[0].name = u"Cafe";
    table.rows[0].bitmapPath = folder.File("pois/Cafe.bmp");
    table.rows[1].name = u"Fuel";
    table.rows[1].bitmapPath = folder.File("pois/Fuel.bmp");
    table.count = 2;
    folder.MakeFolder("pois");
  }

  TempFolder folder;
  CategoryTable table;
  // 05.12.26 14:03:59
  LocalDateTime time{2026, 12, 6, 5, 14, 3, 59, 0};
};

TEST_F(RecordTest, ExactRecordAppendsTheFixToTheSelectedCategory) {
  folder.Write("pois/Fuel.asc", "\n1.0000000, 2.0000000, \"old\"");
  ASSERT_EQ(RecordExact(table, 1, Fix(8123456, 47123456, 0), time), AppendResult::Appended);
  EXPECT_EQ(ReadBytes(folder.Path() / "pois/Fuel.asc"),
            "\n1.0000000, 2.0000000, \"old\""
            "\n8.1234560, 47.1234600, \"Quillon RECORD (05.12.26 14:03:59)\"");
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "pois/Cafe.asc"));
}

TEST_F(RecordTest, RecordBesideStreetAppendsTheMovedPosition) {
  ASSERT_EQ(RecordBesideStreet(table, 0, Fix(8123456, 47123456, 0), time, kLeftOfStreet),
            AppendResult::Appended);
  // 47123455 is written with five decimals and "00": 47.1234500.
  EXPECT_EQ(ReadBytes(folder.Path() / "pois/Cafe.asc"),
            "\n8.1231910, 47.1234500, \"Quillon RECORD (05.12.26 14:03:59)\"");
}

TEST_F(RecordTest, SelectionOutsideTheTableWritesNothing) {
  for (const std::int32_t index : {-1, 2, CategoryTable::kCapacity, 1 << 30}) {
    EXPECT_EQ(RecordExact(table, index, Fix(1, 2, 0), time), AppendResult::NotOpened);
    EXPECT_EQ(RecordBesideStreet(table, index, Fix(1, 2, 0), time, kRightOfStreet),
              AppendResult::NotOpened);
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path() / "pois"));
}

}  // namespace
}  // namespace poirec
