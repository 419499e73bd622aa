#pragma once
// The first page of a recording: "Cancel" on top and eight slots below, two by four. The
// first page's first slot is "Delete nearest POI"; the others show one category each,
// picture above name. With eight categories or more the bottom two slots page through
// them. A category opens the insert page, the delete action the delete page; when either
// ends with "done" this page ends with "done" too. The digits 1 to 8 press the slots in
// reading order; Page Down and Page Up press "Next Page" and "Previous Page".
#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

#include "session/ProcessState.h"
#include "ui/CategoryPaging.h"
#include "ui/CategoryPictures.h"
#include "ui/FullScreenDialog.h"

namespace poirec {

class ImageButton;

class CategoryDialog final : public FullScreenDialog {
  Q_OBJECT
 public:
  static constexpr int kSlotCount = kCategorySlots;
  // The slots' controls, in reading order: left to right, top to bottom.
  static constexpr std::array<int, kSlotCount> kSlotControls = {5, 7, 4, 9, 3, 10, 1001, 1000};

  // Runs a nested page modally and returns its result: 1 (back) or 2 (done).
  using PageRunner = std::function<int()>;
  struct NestedPages {
    PageRunner insert;  // the insert page for state.selectedCategoryIndex
    PageRunner remove;  // the delete page
  };

  // Builds the page and runs its initialisation: the catalogue is scanned and sorted and
  // the first page shown. A nested page that is not given leaves this page as it is.
  explicit CategoryDialog(ProcessState& state, NestedPages pages = {});

  // Fills the eight slots for the page that starts at the category start; -1 and starts
  // at or past the end give the first page, other negative starts the last six.
  void ShowPage(std::int32_t start);

  ImageButton& Slot(int slot) const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void ApplyScale() override;

 private:
  ImageButton& CancelButton() const;
  // Sets up a category slot: button font, picture (none for a null category), caption
  // shortened.
  void SetSlot(ImageButton& button, std::u16string_view caption, const CategoryEntry* category);
  void SetPagingButton(ImageButton& button, bool next);

  // A press of the slot: the delete action, a category, or a paging button.
  void OnSlot(int slot);
  bool IsPaging() const;

  ProcessState& state_;
  NestedPages pages_;
  CategoryPictures pictures_;
  CategoryPageSlots shown_;
};

}  // namespace poirec
