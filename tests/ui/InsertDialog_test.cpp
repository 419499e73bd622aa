#include "ui/InsertDialog.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

#include "session/DialogResult.h"
#include "ui/ButtonFont.h"
#include "ui/CategoryDialog.h"
#include "ui/PageTestSupport.h"
#include "ui/RecordingPages.h"
#include "ui/UiTestSupport.h"
#include "ui/widgets/ImageButton.h"

namespace poirec {
namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
constexpr char kOldPoi[] = "\n11.5000000, 48.1000000, \"old\"";
// The record name of the run's time, 05.12.26 14:03:59.
constexpr char kName[] = "\"Quillon RECORD (05.12.26 14:03:59)\"";

using ButtonOf = std::function<QPushButton&(const InsertDialog&)>;
QPushButton& Left(const InsertDialog& page) { return page.LeftButton(); }
QPushButton& Exact(const InsertDialog& page) { return page.ExactButton(); }
QPushButton& Right(const InsertDialog& page) { return page.RightButton(); }
QPushButton& Back(const InsertDialog& page) { return page.BackButton(); }
QPushButton& Cancel(const InsertDialog& page) { return page.CancelButton(); }

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
  void Click(QPushButton& button) { QTest::mouseClick(&button, Qt::LeftButton); }

  test::RunFolder run;
  test::NotingShell shell;
  std::unique_ptr<InsertDialog> page;
};

TEST_F(InsertPage, ShowsTheChosenCategoryAndItsPlacementButtons) {
  // A name of 40 characters with two "°": the page shows it whole, unlike the category page.
  const std::string name = "Aussicht 360\xC2\xB0 ueber die Stadt und den\xC2\xB0See";
  run.AddCategory("Alpha", "", kBlue);
  run.AddCategory(name, "", kRed);
  InsertDialog& shown = Open(1);

  EXPECT_EQ(shown.CategoryName().text(),
            QStringLiteral("Aussicht 360  ueber die Stadt und den See"));
  EXPECT_EQ(test::PictureColour(shown.Picture()), kRed);
  EXPECT_EQ(shown.Picture().pixmap().size(), QSize(22, 22));
  EXPECT_EQ(shown.Frame().title(), QStringLiteral("Insert recorded POI into"));
  EXPECT_EQ(shown.CancelButton().text(), QStringLiteral("Cancel"));
  EXPECT_EQ(shown.BackButton().text(), QStringLiteral("Back"));
  EXPECT_EQ(shown.LeftButton().text(), QStringLiteral("Left from Street"));
  EXPECT_EQ(shown.ExactButton().text(), QStringLiteral("Exakt recorded"));
  EXPECT_EQ(shown.RightButton().text(), QStringLiteral("Right from Street"));
  // Left, exact, right from left to right, side by side.
  EXPECT_LT(shown.LeftButton().x(), shown.ExactButton().x());
  EXPECT_LT(shown.ExactButton().x(), shown.RightButton().x());
  EXPECT_EQ(shown.LeftButton().y(), shown.RightButton().y());

  for (ImageButton* button : {&shown.LeftButton(), &shown.ExactButton(), &shown.RightButton()}) {
    EXPECT_TRUE(button->IsFlat()) << button->text().toStdString();
    EXPECT_EQ(button->Placement(), ImageAbove);
    EXPECT_EQ(button->ActiveIcon().picture.size(), QSize(60, 80));
    EXPECT_EQ(button->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(button->font().pixelSize(), 12);
  }
  // Cancel and Back are plain buttons in the page's own font.
  EXPECT_EQ(qobject_cast<ImageButton*>(&shown.BackButton()), nullptr);
  EXPECT_EQ(shown.BackButton().font(), shown.font());

  test::Activate(shown);
  const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
  EXPECT_EQ(shown.geometry(), QRect(0, 0, screen.width(), screen.height() - 11));
  EXPECT_TRUE(shown.ExactButton().hasFocus());
  EXPECT_TRUE(shown.ExactButton().isDefault());
  // Enter presses the default button: the exact record.
  QTest::keyClick(&shown, Qt::Key_Return);
  EXPECT_EQ(shown.result(), kResultDone);
  EXPECT_EQ(run.Bytes(name), "\n8.1234560, 47.1234600, " + std::string(kName));
}

TEST_F(InsertPage, EachPlacementAppendsItsRecordAndEndsWithDone) {
  struct Placement {
    ButtonOf button;
    const char* position;
  };
  // 20 m to the left (west) of a course due north, the fix itself, 20 m to the right.
  const Placement placements[] = {{Left, "8.1231910, 47.1234500"},
                                  {Exact, "8.1234560, 47.1234600"},
                                  {Right, "8.1237200, 47.1234600"}};
  run.AddCategory("Alpha", kOldPoi, kBlue);
  run.AddCategory("Beta", kOldPoi, kRed);
  for (const Placement& placement : placements) {
    run.folder.Write("pois/Beta.asc", kOldPoi);
    Click(placement.button(Open(1)));
    EXPECT_EQ(run.Bytes("Beta"), std::string(kOldPoi) + "\n" + placement.position + ", " + kName);
    EXPECT_EQ(page->result(), kResultDone) << placement.position;
    EXPECT_FALSE(page->isVisible()) << placement.position;
  }
  EXPECT_EQ(run.Bytes("Alpha"), kOldPoi);
  EXPECT_TRUE(shell.messages.empty());
}

TEST_F(InsertPage, BackCancelEscapeAndClosingWriteNothing) {
  run.AddCategory("Alpha", kOldPoi, kBlue);
  Click(Open(0).BackButton());
  EXPECT_EQ(page->result(), kResultBack);
  EXPECT_FALSE(page->isVisible());

  Click(Open(0).CancelButton());
  EXPECT_EQ(page->result(), kResultDone);
  QTest::keyClick(&Open(0), Qt::Key_Escape);
  EXPECT_EQ(page->result(), kResultDone);
  Open(0).close();
  EXPECT_EQ(page->result(), kResultDone);
  EXPECT_FALSE(page->isVisible());

  EXPECT_EQ(run.Bytes("Alpha"), kOldPoi);
  EXPECT_FALSE(std::filesystem::exists(run.folder.Path() / "pois/recorded.asc"));
}

TEST_F(InsertPage, ARecordThatCannotBeWrittenIsReportedAndThePageStillEndsWithDone) {
  run.AddCategory("Alpha", kOldPoi, kBlue);
  // A folder where the category's file should be: the record cannot be appended.
  run.AddCategory("Locked", "", kRed);
  std::filesystem::remove(run.folder.Path() / "pois/Locked.asc");
  run.folder.MakeFolder("pois/Locked.asc");
  bool shownDuringMessage = false;
  shell.onMessage = [&] { shownDuringMessage = page->isVisible(); };

  Click(Open(1).RightButton());
  EXPECT_EQ(shell.messages, (std::vector<std::u16string>{u"File could not be created !"}));
  EXPECT_TRUE(shownDuringMessage);  // the message comes before the page ends
  EXPECT_EQ(page->result(), kResultDone);
  EXPECT_EQ(run.Bytes("Alpha"), kOldPoi);
}

TEST_F(InsertPage, APictureThatCannotBeLoadedLeavesTheLastPictureShown) {
  run.AddCategory("Alpha", "", QColor());  // no picture
  run.AddCategory("Beta", "", kRed);
  run.AddCategory("Gamma", "", QColor());
  run.folder.Write("pois/Gamma.bmp", "BM not a picture");
  EXPECT_TRUE(Open(0).Picture().pixmap().isNull());  // nothing loaded yet: no picture
  EXPECT_EQ(test::PictureColour(Open(1).Picture()), kRed);
  EXPECT_EQ(test::PictureColour(Open(0).Picture()), kRed);
  EXPECT_EQ(test::PictureColour(Open(2).Picture()), kRed);
  EXPECT_EQ(page->CategoryName().text(), QStringLiteral("Gamma"));
}

// The category page with the real insert page: Back returns to it, and the next category
// shows its own picture and name; a placement, or Cancel, ends the category page too.
TEST_F(InsertPage, TheCategoryPageReturnsOnBackAndEndsAfterAPlacementOrCancel) {
  run.folder.Write("pois/Alpha.asc", kOldPoi);
  run.folder.Write("pois/Beta.asc", kOldPoi);
  test::SavePicture(run.folder.Path() / "pois/Alpha.bmp", kBlue);
  test::SavePicture(run.folder.Path() / "pois/Beta.bmp", kRed);
  auto categories = std::make_unique<CategoryDialog>(run.state, RecordingPages(run.state, shell));
  categories->show();

  QString shownName;
  QColor shownColour;
  // Notes what the insert page shows, then presses one of its buttons.
  const auto noteAndPress = [&](ButtonOf button) {
    return [&shownName, &shownColour, button](QDialog& nested) {
      auto& insert = dynamic_cast<InsertDialog&>(nested);
      shownName = insert.CategoryName().text();
      shownColour = test::PictureColour(insert.Picture());
      QTest::mouseClick(&button(insert), Qt::LeftButton);
    };
  };
  test::OnNextModalPage(noteAndPress(Back));
  QTest::mouseClick(&categories->Slot(1), Qt::LeftButton);
  EXPECT_EQ(shownName, QStringLiteral("Alpha"));
  EXPECT_EQ(shownColour, kBlue);
  EXPECT_TRUE(categories->isVisible());

  test::OnNextModalPage(noteAndPress(Exact));
  QTest::mouseClick(&categories->Slot(2), Qt::LeftButton);
  EXPECT_EQ(shownName, QStringLiteral("Beta"));
  EXPECT_EQ(shownColour, kRed);
  EXPECT_FALSE(categories->isVisible());
  EXPECT_EQ(categories->result(), kResultDone);
  EXPECT_EQ(run.Bytes("Beta"),
            std::string(kOldPoi) + "\n8.1234560, 47.1234600, " + kName);
  EXPECT_EQ(run.Bytes("Alpha"), kOldPoi);

  categories = std::make_unique<CategoryDialog>(run.state, RecordingPages(run.state, shell));
  categories->show();
  test::OnNextModalPage(noteAndPress(Cancel));
  QTest::mouseClick(&categories->Slot(1), Qt::LeftButton);
  EXPECT_EQ(categories->result(), kResultDone);
  EXPECT_EQ(run.Bytes("Alpha"), kOldPoi);
}

}  // namespace
}  // namespace poirec
