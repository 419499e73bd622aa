#pragma once
// What the category page's eight slots show and what a press of one does, as plain rules:
// the first page's first slot is the delete action; with eight categories or more the
// bottom two slots page, and a later page shows six categories from its start.
#include <array>
#include <cstdint>

namespace poirec {

inline constexpr int kCategorySlots = 8;
// What a slot shows: a category's row (0 and up) or one of these.
inline constexpr std::int32_t kEmptySlot = -1, kDeleteSlot = -2, kPreviousSlot = -3, kNextSlot = -4;

struct CategoryPageSlots {
  std::int32_t start = 0;                            // the first category the page considers
  std::int32_t end = 0;                              // where the next page starts
  std::array<std::int32_t, kCategorySlots> shows{};  // what each slot shows
};

// The page that starts at category start of count: -1 and starts at or past the end give
// the first page, other negative starts the last six.
CategoryPageSlots CategoryPageAt(std::int32_t count, std::int32_t start);

// What pressing the slot does: the slot's category is chosen (a row, 0 and up), the delete
// page opens (kDeleteSlot), a page is shown (next holds its start), or nothing
// (kEmptySlot).
struct SlotPress {
  std::int32_t chosen = kEmptySlot;
  std::int32_t next = 0;
};
SlotPress PressCategorySlot(const CategoryPageSlots& page, std::int32_t count, int slot);

}  // namespace poirec
