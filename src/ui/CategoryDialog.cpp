#include "ui/CategoryDialog.h"

#include <QCloseEvent>
#include <QPixmap>
#include <utility>

#include "poi/CategoryCatalogue.h"
#include "session/DialogResult.h"
#include "ui/ButtonFont.h"
#include "ui/ImageListPicture.h"
#include "ui/PlaceFullScreen.h"
#include "ui/ScreenText.h"
#include "ui/widgets/ImageButton.h"

namespace poirec {
namespace {

constexpr int kCategoryDialogTemplate = 131;
constexpr int kNextPageIcon = 135;
constexpr int kPreviousPageIcon = 136;
constexpr int kPageIconSize = 32;
constexpr int kPreviousPageSlot = 6;
constexpr int kNextPageSlot = 7;
// With this many categories the bottom two slots page instead of showing categories.
constexpr std::int32_t kPagingCount = 8;
// A later page shows this many categories, and Previous steps back by as many.
constexpr std::int32_t kCategoriesPerLaterPage = 6;

std::set<int> SlotControlsAndCancel() {
  std::set<int> ids(CategoryDialog::kSlotControls.begin(), CategoryDialog::kSlotControls.end());
  ids.insert(kCancelControl);
  return ids;
}

}  // namespace

CategoryDialog::CategoryDialog(ProcessState& state, NestedPages pages)
    : FullScreenDialog(kCategoryDialogTemplate, SlotControlsAndCancel()),
      state_(state),
      pages_(std::move(pages)) {
  for (int slot = 0; slot < kSlotCount; ++slot) {
    connect(&Slot(slot), &QPushButton::clicked, this, [this, slot] { OnSlot(slot); });
  }

  // Keys for a keypad or a remote: the digits 1 to 8 press the slots in reading order, Page
  // Down and Page Up turn the pages where the paging buttons are shown.
  for (int slot = 0; slot < kSlotCount; ++slot) PressOnKey(Qt::Key_1 + slot, Slot(slot));
  OnKey(Qt::Key_PageDown, [this] {
    if (IsPaging()) Slot(kNextPageSlot).click();
  });
  OnKey(Qt::Key_PageUp, [this] {
    if (IsPaging()) Slot(kPreviousPageSlot).click();
  });

  SetPageName(QStringLiteral("Categories"));
  CancelButton().setText(QStringLiteral("Cancel"));
  CreateButtonFont(state_.buttonFont);
  for (int slot = 0; slot < kSlotCount; ++slot) Slot(slot).SetFlatLook(false, true);
  CancelButton().SetFlatLook(false, true);
  ScanCategories(state_.categoryTable, state_.categoryImageList, state_.folders.program);
  SortCategories(state_.categoryTable);
  ShowPage(0);
  PlaceFullScreen(*this);
  // No button has the focus until the user gives it one.
  setFocus();
}

ImageButton& CategoryDialog::Slot(int slot) const {
  return ControlAs<ImageButton>(kSlotControls.at(static_cast<std::size_t>(slot)));
}

ImageButton& CategoryDialog::CancelButton() const { return ControlAs<ImageButton>(kCancelControl); }

bool CategoryDialog::IsPaging() const { return state_.categoryTable.count >= kPagingCount; }

void CategoryDialog::ShowPage(std::int32_t start) {
  const std::int32_t count = state_.categoryTable.count;
  if (start >= count || start == -1) {
    start = 0;
  } else if (start < 0) {
    start = count - kCategoriesPerLaterPage;
  }
  state_.pageStart = start;
  std::int32_t next = start;
  std::int32_t placed = 0;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    if (slot == 0 && start == 0) {
      SetDeleteSlot(Slot(0));
    } else if (next >= count) {
      // The rest stays visible and enabled, but empty; the paging buttons keep their place.
      const int lastCleared = IsPaging() ? kPreviousPageSlot - 1 : kSlotCount - 1;
      for (int cleared = slot; cleared <= lastCleared; ++cleared) {
        SetSlot(Slot(cleared), u"", QPixmap());
      }
      break;
    } else if (slot >= kPreviousPageSlot && IsPaging()) {
      continue;
    } else {
      const CategoryEntry& entry = state_.categoryTable.rows[static_cast<std::size_t>(next)];
      SetSlot(Slot(slot), entry.name, ImageListPicture(state_.categoryImageList, entry.imageIndex));
      ++next;
      ++placed;
    }
  }
  state_.pageEnd = start + placed;
  if (IsPaging()) {
    SetNextPageButton(Slot(kNextPageSlot));
    SetPreviousPageButton(Slot(kPreviousPageSlot));
  }
}

void CategoryDialog::SetSlot(ImageButton& button, std::u16string_view caption,
                             const QPixmap& icon) {
  button.setFont(ButtonFont(state_.buttonFont));
  button.SetStateIcons(icon, ImageList::kImageWidth, ImageList::kImageHeight);
  button.setText(SlotCaption(caption));
  button.SetImagePlacement(ImageAbove, true);
}

void CategoryDialog::SetDeleteSlot(ImageButton& button) {
  SetSlot(button, u"Delete nearest POI", QPixmap());
}

void CategoryDialog::SetNextPageButton(ImageButton& button) {
  button.LoadStateIcons(kNextPageIcon, kPageIconSize, kPageIconSize);
  button.setText(QStringLiteral("Next\nPage"));
  button.SetImagePlacement(ImageRight, true);
}

void CategoryDialog::SetPreviousPageButton(ImageButton& button) {
  button.LoadStateIcons(kPreviousPageIcon, kPageIconSize, kPageIconSize);
  button.setText(QStringLiteral("Previous\nPage"));
  button.SetImagePlacement(ImageLeft, true);
}

void CategoryDialog::OpenInsertDialog() {
  if (pages_.insert && pages_.insert() == kResultDone) done(kResultDone);
}

void CategoryDialog::SelectCategoryOfSlot(int slot) {
  const std::int32_t start = state_.pageStart;
  // The first page's slot 0 holds the delete action, so its categories start at slot 1.
  const std::int32_t index = start == 0 ? slot - 1 : start + slot;
  // A cleared slot lies past the last category; pressing it does nothing.
  if (index < 0 || index >= state_.categoryTable.count) return;
  state_.selectedCategoryIndex = index;
  OpenInsertDialog();
}

void CategoryDialog::OnSlot(int slot) {
  if (slot == 0 && state_.pageStart <= 0) {
    if (pages_.remove && pages_.remove() == kResultDone) done(kResultDone);
  } else if (slot == kPreviousPageSlot && IsPaging()) {
    ShowPage(state_.pageStart - kCategoriesPerLaterPage);
  } else if (slot == kNextPageSlot && IsPaging()) {
    ShowPage(state_.pageEnd);
  } else {
    SelectCategoryOfSlot(slot);
  }
}

void CategoryDialog::closeEvent(QCloseEvent* event) {
  // The close box lets go of the button font before the page ends.
  state_.buttonFont = FontDescription{};
  FullScreenDialog::closeEvent(event);
}

}  // namespace poirec
