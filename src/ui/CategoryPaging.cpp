#include "ui/CategoryPaging.h"

namespace poirec {
namespace {

constexpr int kPreviousPageSlot = 6;
constexpr int kNextPageSlot = 7;
// With this many categories the bottom two slots page instead of showing categories.
constexpr std::int32_t kPagingCount = 8;
// A later page shows this many categories, and Previous steps back by as many.
constexpr std::int32_t kCategoriesPerLaterPage = 6;

}  // namespace

CategoryPageSlots CategoryPageAt(std::int32_t count, std::int32_t start) {
  if (start >= count || start == -1) {
    start = 0;
  } else if (start < 0) {
    start = count - kCategoriesPerLaterPage;
  }
  const bool paging = count >= kPagingCount;
  CategoryPageSlots page;
  page.start = start;
  page.shows.fill(kEmptySlot);
  std::int32_t next = start;
  for (int slot = 0; slot < kCategorySlots; ++slot) {
    if (paging && slot >= kPreviousPageSlot) {
      page.shows[slot] = slot == kPreviousPageSlot ? kPreviousSlot : kNextSlot;
    } else if (slot == 0 && start == 0) {
      page.shows[slot] = kDeleteSlot;
    } else if (next < count) {
      page.shows[slot] = next++;
    }
  }
  page.end = next;
  return page;
}

SlotPress PressCategorySlot(const CategoryPageSlots& page, std::int32_t count, int slot) {
  const std::int32_t shown = page.shows.at(static_cast<std::size_t>(slot));
  if (shown == kPreviousSlot) return {kEmptySlot, page.start - kCategoriesPerLaterPage};
  if (shown == kNextSlot) return {kEmptySlot, page.end};
  if (shown >= count) return {};
  return {shown, 0};
}

}  // namespace poirec
