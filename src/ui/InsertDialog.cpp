#include "ui/InsertDialog.h"

#include <QLabel>
#include <QPushButton>

#include "session/PoiChanges.h"
#include "ui/ButtonFont.h"
#include "ui/PlaceFullScreen.h"
#include "ui/ScreenText.h"
#include "ui/widgets/ImageButton.h"

namespace poirec {
namespace {

constexpr int kInsertDialogTemplate = 138;
constexpr int kExactControl = 5;
constexpr int kLeftControl = 1004;
constexpr int kRightControl = 1005;

constexpr int kExactIcon = 142;
constexpr int kRightIcon = 143;
constexpr int kLeftIcon = 144;
constexpr int kPlacementIconWidth = 60;
constexpr int kPlacementIconHeight = 80;

}  // namespace

InsertDialog::InsertDialog(ProcessState& state, Shell& shell)
    : NestedPage(kInsertDialogTemplate, {kExactControl, kLeftControl, kRightControl}, state),
      state_(state),
      shell_(shell) {
  connect(&ExactButton(), &QPushButton::clicked, this, &InsertDialog::OnExact);
  connect(&LeftButton(), &QPushButton::clicked, this, &InsertDialog::OnLeft);
  connect(&RightButton(), &QPushButton::clicked, this, &InsertDialog::OnRight);

  // The category page only selects rows of the table; anything else shows no category.
  const CategoryEntry* row = RowAt(state_.categoryTable, state_.selectedCategoryIndex);
  ShowPicture(row);
  CategoryName().setText(DisplayName(row ? row->name : u""));  // the whole name, never shortened

  SetPageName(QStringLiteral("Insert POI"));
  SetFrameTexts(QStringLiteral("Insert recorded POI into"));
  SetPlacementButton(LeftButton(), QStringLiteral("Left from Street"), kLeftIcon);
  SetPlacementButton(ExactButton(), QStringLiteral("Exakt recorded"), kExactIcon);
  SetPlacementButton(RightButton(), QStringLiteral("Right from Street"), kRightIcon);
  // Keys for a keypad or a remote: the arrows point where the POI goes, Down is "here".
  PressOnKey(Qt::Key_Left, LeftButton());
  PressOnKey(Qt::Key_Down, ExactButton());
  PressOnKey(Qt::Key_Right, RightButton());
  PlaceFullScreen(*this);
  // The first tab stop, which is also the default button.
  ExactButton().setFocus();
}

void InsertDialog::SetPlacementButton(ImageButton& button, const QString& caption, int iconId) {
  button.setFont(ButtonFont(state_.buttonFont, Scale()));
  button.LoadStateIcons(iconId, Px(kPlacementIconWidth), Px(kPlacementIconHeight));
  button.setText(caption);
  button.SetImagePlacement(ImageAbove, true);
}

void InsertDialog::ApplyScale() {
  NestedPage::ApplyScale();
  SetPlacementButton(LeftButton(), LeftButton().text(), kLeftIcon);
  SetPlacementButton(ExactButton(), ExactButton().text(), kExactIcon);
  SetPlacementButton(RightButton(), RightButton().text(), kRightIcon);
}

void InsertDialog::OnExact() { Place(Placement::Exact); }
void InsertDialog::OnLeft() { Place(Placement::Left); }
void InsertDialog::OnRight() { Place(Placement::Right); }

void InsertDialog::Place(Placement placement) {
  // A record that could not be written is reported while the page is still shown; the page
  // ends with "done" all the same.
  FilePoi(state_, shell_, placement);
  reject();
}

ImageButton& InsertDialog::LeftButton() const { return ControlAs<ImageButton>(kLeftControl); }
ImageButton& InsertDialog::ExactButton() const { return ControlAs<ImageButton>(kExactControl); }
ImageButton& InsertDialog::RightButton() const { return ControlAs<ImageButton>(kRightControl); }
QLabel& InsertDialog::CategoryName() const { return TextLine(); }

}  // namespace poirec
