#include "ui/DeleteDialog.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "session/DialogResult.h"
#include "ui/PageTestSupport.h"
#include "ui/RecordingPages.h"
#include "ui/UiTestSupport.h"
#include "ui/widgets/ImageButton.h"

namespace poirec {
namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

const std::string kFar = "\n11.5000000, 48.1000000, \"Far\"";
// Two lines at the POI nearest to the fix 11.575863, 48.137236, written differently, with
// a comment, a blank line and another POI between them. The name holds the byte of "°".
const std::string kNear =
    "\n11.5758000, 48.1372000, \"Turm \xB0 Nord\"\n; Aussichten\n\n11.6, 48.2, \"Berg\""
    "\n11.5758000, 48.13720, \"Turm again\"";
const std::string kNearDeleted = "\n; Aussichten\n11.6, 48.2, \"Berg\"";

class DeletePage : public testing::Test {
 protected:
  DeletePage() { run.state.positionFix = PositionFix{11575863, 48137236, 0, 1}; }
  DeleteDialog& Open() {
    page = std::make_unique<DeleteDialog>(run.state);
    page->show();
    return *page;
  }
  // Every temporary file of a rewrite is gone.
  void ExpectNoTemporaryFile() {
    for (const auto& entry : std::filesystem::directory_iterator(run.folder.Path() / "pois")) {
      EXPECT_NE(entry.path().extension(), ".asc2") << entry.path();
    }
  }

  test::Run run;
  std::unique_ptr<DeleteDialog> page;
};

TEST_F(DeletePage, ShowsTheNearestPoiWithThePictureAndNameOfItsOwnRowAndDeletesIt) {
  run.AddCategory("Alpha", kFar, kBlue);
  run.AddCategory("Aussicht\xC2\xB0Turm", kNear, kRed);
  run.AddCategory("Gamma", kFar, QColor(0, 255, 0));
  DeleteDialog& shown = Open();
  // Both "°" show as blanks; the POI's name keeps its quotes.
  EXPECT_EQ(shown.MatchLine().text(), "Aussicht Turm: \"Turm   Nord\"");
  EXPECT_EQ(test::PictureColour(shown.Picture()), kRed);
  EXPECT_EQ(shown.Frame().title(), "Delete this POI");
  EXPECT_EQ(shown.ConfirmButton().text(), "Confirm Deletion");
  EXPECT_EQ(shown.CancelButton().text(), "Cancel");
  EXPECT_EQ(shown.BackButton().text(), "Back");
  for (QPushButton* button : shown.findChildren<QPushButton*>()) {
    EXPECT_EQ(qobject_cast<ImageButton*>(button), nullptr);
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the wait cursor is gone again
  test::Activate(shown);
  EXPECT_TRUE(shown.ConfirmButton().hasFocus());
  EXPECT_TRUE(shown.ConfirmButton().isDefault());

  // Both lines at the match go, whatever their names and however their numbers are
  // written; every other line but the blank one stays as it was.
  QTest::mouseClick(&shown.ConfirmButton(), Qt::LeftButton);
  EXPECT_EQ(page->result(), kResultDone);
  EXPECT_EQ(run.Bytes("Aussicht\xC2\xB0Turm"), kNearDeleted);
  EXPECT_EQ(run.Bytes("Alpha"), kFar);
  ExpectNoTemporaryFile();
}

TEST_F(DeletePage, WithoutAnyPoiConfirmChangesNoFile) {
  // The match is as at the start of the run: row 0 and no name.
  const std::string comment = "\n; nothing here yet\n\n";
  run.AddCategory("Alpha", comment, kBlue);
  run.AddCategory("Beta", "", kRed);
  EXPECT_EQ(Open().MatchLine().text(), "Alpha: ");
  EXPECT_EQ(test::PictureColour(page->Picture()), kBlue);
  QTest::mouseClick(&page->ConfirmButton(), Qt::LeftButton);
  EXPECT_EQ(page->result(), kResultDone);
  EXPECT_EQ(run.Bytes("Alpha"), comment);
  EXPECT_EQ(run.Bytes("Beta"), "");
  ExpectNoTemporaryFile();

  // Without categories there is no row at all: no name, no colon, no picture.
  test::Run empty;
  DeleteDialog nothing(empty.state);
  EXPECT_EQ(nothing.MatchLine().text(), "");
  EXPECT_TRUE(nothing.Picture().pixmap().isNull());
  QTest::mouseClick(&nothing.ConfirmButton(), Qt::LeftButton);
  EXPECT_TRUE(std::filesystem::is_empty(empty.folder.Path() / "pois"));
}

// With the category page: Back returns to it and deletes nothing, the next press searches
// again, and a confirmed deletion ends the category page too.
TEST_F(DeletePage, BackReturnsToTheCategoryPageWhichSearchesAgainAndEndsAfterADeletion) {
  run.AddCategory("Alpha", kFar, kBlue, false);
  run.AddCategory("Beta", kFar, kRed, false);
  test::NotingShell shell;
  CategoryDialog categories(run.state, RecordingPages(run.state, shell));
  categories.show();
  QString shown;
  QColor colour;
  const auto noteAndPress = [&](QPushButton& (DeleteDialog::*button)() const) {
    return [&shown, &colour, button](QDialog& nested) {
      auto& remove = dynamic_cast<DeleteDialog&>(nested);
      shown = remove.MatchLine().text();
      colour = test::PictureColour(remove.Picture());
      QTest::mouseClick(&(remove.*button)(), Qt::LeftButton);
    };
  };
  test::OnNextModalPage(noteAndPress(&DeleteDialog::BackButton));
  QTest::mouseClick(&categories.Slot(0), Qt::LeftButton);
  EXPECT_EQ(shown, "Alpha: \"Far\"");  // the earlier row wins a tie
  EXPECT_EQ(colour, kBlue);
  EXPECT_TRUE(categories.isVisible());
  EXPECT_EQ(run.Bytes("Alpha"), kFar);

  run.folder.Write("pois/Beta.asc", kFar + kNear);
  test::OnNextModalPage(noteAndPress(&DeleteDialog::ConfirmButton));
  QTest::mouseClick(&categories.Slot(0), Qt::LeftButton);
  EXPECT_EQ(shown, "Beta: \"Turm   Nord\"");
  EXPECT_EQ(colour, kRed);
  EXPECT_EQ(categories.result(), kResultDone);
  EXPECT_EQ(run.Bytes("Beta"), kFar + kNearDeleted);
  EXPECT_EQ(run.Bytes("Alpha"), kFar);
}

}  // namespace
}  // namespace poirec
