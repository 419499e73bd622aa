#include "ui/CategoryDialog.h"

#include <QCloseEvent>
#include <utility>

#include "poi/CategoryCatalogue.h"
#include "session/DialogResult.h"
#include "ui/ButtonFont.h"
#include "ui/PlaceFullScreen.h"
#include "ui/ScreenText.h"
#include "ui/widgets/ImageButton.h"

namespace poirec {
namespace {

constexpr int kCategoryDialogTemplate = 131;
constexpr int kNextPageIcon = 135;
constexpr int kPreviousPageIcon = 136;
constexpr int kPageIconSize = 32;
constexpr int kPictureSize = 22;
constexpr int kPreviousPageSlot = 6;
constexpr int kNextPageSlot = 7;

std::set<int> SlotControlsAndCancel() {
  std::set<int> ids(CategoryDialog::kSlotControls.begin(), CategoryDialog::kSlotControls.end());
  ids.insert(kCancelControl);
  return ids;
}

}  // namespace

CategoryDialog::CategoryDialog(ProcessState& state, NestedPages pages)
    : FullScreenDialog(kCategoryDialogTemplate, SlotControlsAndCancel()),
      state_(state),
      pages_(std::move(pages)),
      pictures_(*state.files) {
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
  ScanCategories(*state_.files, state_.categoryTable, state_.folders.program);
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

bool CategoryDialog::IsPaging() const { return shown_.shows[kNextPageSlot] == kNextSlot; }

void CategoryDialog::ShowPage(std::int32_t start) {
  shown_ = CategoryPageAt(state_.categoryTable.count, start);
  state_.pageStart = shown_.start;
  state_.pageEnd = shown_.end;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const std::int32_t content = shown_.shows[static_cast<std::size_t>(slot)];
    if (content >= 0) {
      const CategoryEntry& entry = state_.categoryTable.rows[static_cast<std::size_t>(content)];
      SetSlot(Slot(slot), entry.name, &entry);
    } else if (content == kDeleteSlot) {
      SetSlot(Slot(slot), u"Delete nearest POI", nullptr);
    } else if (content == kEmptySlot) {
      // Stays visible and enabled, but empty.
      SetSlot(Slot(slot), u"", nullptr);
    } else {
      SetPagingButton(Slot(slot), content == kNextSlot);
    }
  }
}

void CategoryDialog::SetSlot(ImageButton& button, std::u16string_view caption,
                             const CategoryEntry* category) {
  const int side = Px(kPictureSize);
  button.setFont(ButtonFont(state_.buttonFont, Scale()));
  button.SetStateIcons(
      category ? pictures_.Picture(*category, side, Scale(), devicePixelRatioF()) : QPixmap(), side,
      side);
  button.setText(SlotCaption(caption));
  button.SetImagePlacement(ImageAbove, true);
}

void CategoryDialog::SetPagingButton(ImageButton& button, bool next) {
  button.LoadStateIcons(next ? kNextPageIcon : kPreviousPageIcon, Px(kPageIconSize),
                        Px(kPageIconSize));
  button.setText(next ? QStringLiteral("Next\nPage") : QStringLiteral("Previous\nPage"));
  button.SetImagePlacement(next ? ImageRight : ImageLeft, true);
}

void CategoryDialog::ApplyScale() { ShowPage(state_.pageStart); }

void CategoryDialog::OnSlot(int slot) {
  const SlotPress press = PressCategorySlot(shown_, state_.categoryTable.count, slot);
  if (press.chosen == kDeleteSlot) {
    if (pages_.remove && pages_.remove() == kResultDone) done(kResultDone);
  } else if (press.chosen >= 0) {
    state_.selectedCategoryIndex = press.chosen;
    if (pages_.insert && pages_.insert() == kResultDone) done(kResultDone);
  } else if (shown_.shows[static_cast<std::size_t>(slot)] < kDeleteSlot) {
    ShowPage(press.next);
  }
}

void CategoryDialog::closeEvent(QCloseEvent* event) {
  // The close box lets go of the button font before the page ends.
  state_.buttonFont = FontDescription{};
  FullScreenDialog::closeEvent(event);
}

}  // namespace poirec
