#include "ui/InsertDialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "session/DialogResult.h"
#include "ui/ButtonFont.h"
#include "ui/PageTestSupport.h"
#include "ui/RecordingPages.h"
#include "ui/UiTestSupport.h"
#include "ui/widgets/ImageButton.h"

namespace poirec {
namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const std::string kOld = "\n11.5000000, 48.1000000, \"old\"";
// The record name of the run's time, 05.12.26 14:03:59.
const std::string kName = "\"Quillon RECORD (05.12.26 14:03:59)\"";

class InsertPage : public testing::Test {
 protected:
  InsertPage() {
    run.state.positionFix = PositionFix{8123456, 47123456, 0, 1};  // heading north
    run.state.recordingTime = LocalDateTime{2026, 12, 6, 5, 14, 3, 59, 0};
    CreateButtonFont(run.state.buttonFont);
  }
  InsertDialog& Open(std::int32_t category) {
    run.state.selectedCategoryIndex = category;
    page = std::make_unique<InsertDialog>(run.state, shell);
    page->show();
    return *page;
  }

  test::Run run;
  test::NotingShell shell;
  std::unique_ptr<InsertDialog> page;
};

TEST_F(InsertPage, ShowsTheWholeCategoryNameItsPictureAndThePlacementButtons) {
  // 40 characters with two "°": shown whole, unlike on the category page.
  run.AddCategory("Alpha", "", kBlue);
  run.AddCategory("Aussicht 360\xC2\xB0 ueber die Stadt und den\xC2\xB0See", "", kRed);
  InsertDialog& shown = Open(1);
  EXPECT_EQ(shown.CategoryName().text(), "Aussicht 360  ueber die Stadt und den See");
  EXPECT_EQ(test::PictureColour(shown.Picture()), kRed);
  EXPECT_EQ(shown.Picture().pixmap().size(), QSize(22, 22));
  EXPECT_EQ(shown.Frame().title(), "Insert recorded POI into");
  EXPECT_EQ(shown.CancelButton().text(), "Cancel");
  EXPECT_EQ(shown.BackButton().text(), "Back");
  EXPECT_EQ(shown.LeftButton().text(), "Left from Street");
  EXPECT_EQ(shown.ExactButton().text(), "Exakt recorded");
  EXPECT_EQ(shown.RightButton().text(), "Right from Street");
  for (ImageButton* button : {&shown.LeftButton(), &shown.ExactButton(), &shown.RightButton()}) {
    EXPECT_TRUE(button->IsFlat());
    EXPECT_EQ(button->Placement(), ImageAbove);
    EXPECT_EQ(button->ActiveIcon().picture.size(), QSize(60, 80));
    EXPECT_EQ(button->font().pixelSize(), 12);
  }
  EXPECT_EQ(shown.BackButton().font(), shown.font());
  test::Activate(shown);
  EXPECT_TRUE(shown.ExactButton().hasFocus());
  EXPECT_TRUE(shown.ExactButton().isDefault());
}

TEST_F(InsertPage, EachPlacementAppendsItsRecordAndEndsWithDoneAlsoWhenWritingFails) {
  run.AddCategory("Alpha", kOld, kBlue);
  run.AddCategory("Beta", kOld, kRed);
  // 20 m to the left (west) of a course due north, the fix itself, 20 m to the right.
  const std::pair<ImageButton& (InsertDialog::*)() const, std::string> placements[] = {
      {&InsertDialog::LeftButton, "8.1231910, 47.1234500"},
      {&InsertDialog::ExactButton, "8.1234560, 47.1234600"},
      {&InsertDialog::RightButton, "8.1237200, 47.1234600"}};
  for (const auto& [button, position] : placements) {
    run.folder.Write("pois/Beta.asc", kOld);
    QTest::mouseClick(&(Open(1).*button)(), Qt::LeftButton);
    EXPECT_EQ(run.Bytes("Beta"), kOld + "\n" + position + ", " + kName);
    EXPECT_EQ(page->result(), kResultDone) << position;
    EXPECT_FALSE(page->isVisible()) << position;
  }
  EXPECT_EQ(run.Bytes("Alpha"), kOld);
  EXPECT_TRUE(shell.messages.empty());

  // A folder where the category's file should be: the record cannot be written, which is
  // said while the page is still shown; then the page ends as after any placement.
  std::filesystem::remove(run.folder.Path() / "pois/Beta.asc");
  run.folder.MakeFolder("pois/Beta.asc");
  bool shownDuringMessage = false;
  shell.onMessage = [&] { shownDuringMessage = page->isVisible(); };
  QTest::mouseClick(&Open(1).RightButton(), Qt::LeftButton);
  EXPECT_EQ(shell.messages, std::vector<std::u16string>{u"File could not be created !"});
  EXPECT_TRUE(shownDuringMessage);
  EXPECT_EQ(page->result(), kResultDone);
}

TEST_F(InsertPage, APictureThatCannotBeLoadedLeavesTheLastPictureShown) {
  run.AddCategory("Alpha", "", QColor());  // no picture
  run.AddCategory("Beta", "", kRed);
  run.AddCategory("Gamma", "", QColor());
  run.folder.Write("pois/Gamma.bmp", "BM but not a picture");
  EXPECT_TRUE(Open(0).Picture().pixmap().isNull());  // nothing loaded yet
  EXPECT_EQ(test::PictureColour(Open(1).Picture()), kRed);
  EXPECT_EQ(test::PictureColour(Open(0).Picture()), kRed);
  EXPECT_EQ(test::PictureColour(Open(2).Picture()), kRed);
  EXPECT_EQ(page->CategoryName().text(), "Gamma");
}

// With the category page: Back returns to it and the next category shows its own picture
// and name; a placement ends the category page too, and so does Cancel.
TEST_F(InsertPage, BackReturnsToTheCategoryPageAPlacementOrCancelEndsIt) {
  run.AddCategory("Alpha", kOld, kBlue, false);
  run.AddCategory("Beta", kOld, kRed, false);
  auto categories = std::make_unique<CategoryDialog>(run.state, RecordingPages(run.state, shell));
  categories->show();
  QString name;
  QColor colour;
  const auto noteAndPress = [&](auto button) {  // notes what the page shows, presses
    return [&name, &colour, button](QDialog& nested) {
      auto& insert = dynamic_cast<InsertDialog&>(nested);
      name = insert.CategoryName().text();
      colour = test::PictureColour(insert.Picture());
      QTest::mouseClick(&(insert.*button)(), Qt::LeftButton);
    };
  };
  test::OnNextModalPage(noteAndPress(&InsertDialog::BackButton));
  QTest::mouseClick(&categories->Slot(1), Qt::LeftButton);
  EXPECT_EQ(name, "Alpha");
  EXPECT_EQ(colour, kBlue);
  EXPECT_TRUE(categories->isVisible());

  test::OnNextModalPage(noteAndPress(&InsertDialog::ExactButton));
  QTest::mouseClick(&categories->Slot(2), Qt::LeftButton);
  EXPECT_EQ(name, "Beta");
  EXPECT_EQ(colour, kRed);
  EXPECT_EQ(categories->result(), kResultDone);
  EXPECT_EQ(run.Bytes("Beta"), kOld + "\n8.1234560, 47.1234600, " + kName);

  categories = std::make_unique<CategoryDialog>(run.state, RecordingPages(run.state, shell));
  categories->show();
  test::OnNextModalPage(noteAndPress(&InsertDialog::CancelButton));
  QTest::mouseClick(&categories->Slot(1), Qt::LeftButton);
  EXPECT_EQ(categories->result(), kResultDone);
  EXPECT_EQ(run.Bytes("Alpha"), kOld);
}

}  // namespace
}  // namespace poirec
