#include "platform/LogicalPalette.h"

#include <gtest/gtest.h>

namespace poirec {
namespace {

TEST(LogicalPalette, HoldsOneTo256EntriesOfVersion300) {
  EXPECT_FALSE(LogicalPalette::Create(0x300, {}));
  EXPECT_FALSE(LogicalPalette::Create(0x300, std::vector<PaletteEntry>(257)));
  EXPECT_FALSE(LogicalPalette::Create(0x200, std::vector<PaletteEntry>(2)));

  const auto palette = LogicalPalette::Create(0x300, {PaletteEntry{1, 2, 3, 0}, PaletteEntry{}});
  ASSERT_TRUE(palette);
  EXPECT_EQ(palette->Version(), 0x300);
  ASSERT_EQ(palette->Entries().size(), 2u);
  EXPECT_EQ(palette->Entries()[0], (PaletteEntry{1, 2, 3, 0}));
  EXPECT_TRUE(LogicalPalette::Create(0x300, std::vector<PaletteEntry>(256)));
}

}  // namespace
}  // namespace poirec
