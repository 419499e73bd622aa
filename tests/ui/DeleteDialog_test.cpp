#include "ui/DeleteDialog.h"

#include <QApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "session/DialogResult.h"
#include "ui/CategoryDialog.h"
#include "ui/PageTestSupport.h"
#include "ui/RecordingPages.h"
#include "ui/UiTestSupport.h"
#include "ui/widgets/ImageButton.h"

namespace poirec {
namespace {

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);
const QColor kBlue(0, 0, 255);

// Near the fix 11.575863, 48.137236; the POI at the fix's corner of the town, two lines
// of it, between a comment and another POI.
constexpr char kFar[] = "\n11.5000000, 48.1000000, \"Far\"";
constexpr char kSpot[] =
    "\n11.5758000, 48.1372000, \"Turm \xB0 Nord\"\n; Aussichten\n\n11.6, 48.2, \"Berg\""
    "\n11.5758000, 48.13720, \"Turm again\"";

class DeletePage : public testing::Test {
 protected:
  DeletePage() { run.state.positionFix = PositionFix{11575863, 48137236, 0, 1}; }

  DeleteDialog& Open() {
    page = std::make_unique<DeleteDialog>(run.state);
    page->show();
    return *page;
  }
  void Click(QPushButton& button) { QTest::mouseClick(&button, Qt::LeftButton); }
  // Every file of the "pois" folder stayed as the test wrote it.
  void ExpectNothingChanged(const std::vector<std::pair<std::string, std::string>>& files) {
    for (const auto& [name, bytes] : files) EXPECT_EQ(run.Bytes(name), bytes) << name;
    for (const auto& entry : std::filesystem::directory_iterator(run.folder.Path() / "pois")) {
      EXPECT_NE(entry.path().extension(), ".asc2") << entry.path();
    }
  }

  test::RunFolder run;
  std::unique_ptr<DeleteDialog> page;
};

TEST_F(DeletePage, ShowsTheNearestPoiWithThePictureAndNameOfItsOwnCategory) {
  run.AddCategory("Alpha", kFar, kBlue);
  run.AddCategory("Aussicht\xC2\xB0Turm", kSpot, kRed);
  run.AddCategory("Gamma", kFar, kGreen);
  DeleteDialog& shown = Open();

  // Both "°", the category's and the one byte 0xB0 of the POI's name, show as blanks;
  // the name keeps its quotes.
  EXPECT_EQ(shown.MatchLine().text(), QStringLiteral("Aussicht Turm: \"Turm   Nord\""));
  EXPECT_EQ(test::PictureColour(shown.Picture()), kRed);
  EXPECT_EQ(run.state.nearestPoiMatch.fileIndex, 1);
  EXPECT_EQ(shown.Frame().title(), QStringLiteral("Delete this POI"));
  EXPECT_EQ(shown.ConfirmButton().text(), QStringLiteral("Confirm Deletion"));
  EXPECT_EQ(shown.CancelButton().text(), QStringLiteral("Cancel"));
  EXPECT_EQ(shown.BackButton().text(), QStringLiteral("Back"));
  for (QPushButton* button : shown.findChildren<QPushButton*>()) {
    EXPECT_EQ(qobject_cast<ImageButton*>(button), nullptr) << button->text().toStdString();
    EXPECT_EQ(button->font(), shown.font());
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the wait cursor is gone again

  test::Activate(shown);
  const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
  EXPECT_EQ(shown.geometry(), QRect(0, 0, screen.width(), screen.height() - 11));
  EXPECT_TRUE(shown.ConfirmButton().hasFocus());
  EXPECT_TRUE(shown.ConfirmButton().isDefault());
}

TEST_F(DeletePage, ConfirmRemovesEveryPoiAtTheMatchAndEndsWithDone) {
  run.AddCategory("Alpha", kFar, kBlue);
  run.AddCategory("Turm", kSpot, kRed);
  Click(Open().ConfirmButton());
  EXPECT_EQ(page->result(), kResultDone);
  EXPECT_FALSE(page->isVisible());
  // Both lines at the match go, whatever their name and however their numbers are
  // written; the comment and the other POI stay as they were, the blank line does not.
  ExpectNothingChanged({{"Alpha", kFar}, {"Turm", "\n; Aussichten\n11.6, 48.2, \"Berg\""}});
}

TEST_F(DeletePage, BackCancelAndEscapeDeleteNothing) {
  run.AddCategory("Alpha", kFar, kBlue);
  run.AddCategory("Turm", kSpot, kRed);
  Click(Open().BackButton());
  EXPECT_EQ(page->result(), kResultBack);
  EXPECT_FALSE(page->isVisible());
  Click(Open().CancelButton());
  EXPECT_EQ(page->result(), kResultDone);
  QTest::keyClick(&Open(), Qt::Key_Escape);
  EXPECT_EQ(page->result(), kResultDone);
  ExpectNothingChanged({{"Alpha", kFar}, {"Turm", kSpot}});
}

TEST_F(DeletePage, WithoutAnyPoiShowsTheFirstCategoryAndConfirmChangesNoFile) {
  constexpr char kComment[] = "\n; nothing here yet\n\n";
  run.AddCategory("Alpha", kComment, kBlue);
  run.AddCategory("Beta", "", kRed);
  DeleteDialog& shown = Open();
  // The match is as it was at the start: row 0, no name.
  EXPECT_EQ(shown.MatchLine().text(), QStringLiteral("Alpha: "));
  EXPECT_EQ(test::PictureColour(shown.Picture()), kBlue);
  Click(shown.ConfirmButton());
  EXPECT_EQ(page->result(), kResultDone);
  ExpectNothingChanged({{"Alpha", kComment}, {"Beta", ""}});
}

TEST_F(DeletePage, WithoutCategoriesShowsNothingAndConfirmChangesNothing) {
  DeleteDialog& shown = Open();
  EXPECT_EQ(shown.MatchLine().text(), QString());
  EXPECT_TRUE(shown.Picture().pixmap().isNull());
  Click(shown.ConfirmButton());
  EXPECT_EQ(page->result(), kResultDone);
  EXPECT_TRUE(std::filesystem::is_empty(run.folder.Path() / "pois"));
}

// The category page with the real delete page: Back returns to it, the next press searches
// again, and a confirmed deletion ends the category page too.
TEST_F(DeletePage, TheCategoryPageSearchesAgainAfterBackAndEndsAfterADeletion) {
  run.folder.Write("pois/Alpha.asc", kFar);
  run.folder.Write("pois/Beta.asc", kFar);
  test::SavePicture(run.folder.Path() / "pois/Alpha.bmp", kBlue);
  test::SavePicture(run.folder.Path() / "pois/Beta.bmp", kRed);
  test::NotingShell shell;
  CategoryDialog categories(run.state, RecordingPages(run.state, shell));
  categories.show();

  QString shown;
  QColor colour;
  const auto noteAndPress = [&](bool confirm) {
    return [&shown, &colour, confirm](QDialog& nested) {
      auto& remove = dynamic_cast<DeleteDialog&>(nested);
      shown = remove.MatchLine().text();
      colour = test::PictureColour(remove.Picture());
      QTest::mouseClick(confirm ? &remove.ConfirmButton() : &remove.BackButton(),
                        Qt::LeftButton);
    };
  };
  test::OnNextModalPage(noteAndPress(false));
  QTest::mouseClick(&categories.Slot(0), Qt::LeftButton);
  EXPECT_EQ(shown, QStringLiteral("Alpha: \"Far\""));  // the earlier row wins a tie
  EXPECT_EQ(colour, kBlue);
  EXPECT_TRUE(categories.isVisible());

  run.folder.Write("pois/Beta.asc", std::string(kFar) + kSpot);
  test::OnNextModalPage(noteAndPress(true));
  QTest::mouseClick(&categories.Slot(0), Qt::LeftButton);
  EXPECT_EQ(shown, QStringLiteral("Beta: \"Turm   Nord\""));
  EXPECT_EQ(colour, kRed);
  EXPECT_FALSE(categories.isVisible());
  EXPECT_EQ(categories.result(), kResultDone);
  ExpectNothingChanged(
      {{"Alpha", kFar}, {"Beta", std::string(kFar) + "\n; Aussichten\n11.6, 48.2, \"Berg\""}});
  EXPECT_TRUE(shell.messages.empty());
}

}  // namespace
}  // namespace poirec
