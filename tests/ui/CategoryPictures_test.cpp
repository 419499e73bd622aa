#include "ui/CategoryPictures.h"

#include <QPainter>
#include <cerrno>

#include "support/FaultyFileSystem.h"
#include "ui/UiTestSupport.h"

namespace poirec {
namespace {

const char kRedSquare[] =
    "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10 10'>"
    "<rect width='10' height='10' fill='#ff0000'/></svg>";

// Each row gives a category some picture files; the picture shown is the first that can be
// read, at 22 x 22 on the handheld and 74 x 74 at scale 3.375, and the others are named on
// standard error with the reason, also a read that fails. The BMP beside them is red inside a
// frame of the key colour, which is transparent before the picture is scaled, so that no scaled
// pixel mixes it in.
TEST(CategoryPictures, TheFirstPictureThatReadsIsShownSharpAndTheOthersAreNamed) {
  QImage halfBlue(22, 22, QImage::Format_ARGB32);  // its left half transparent
  halfBlue.fill(Qt::transparent);
  QPainter(&halfBlue).fillRect(11, 0, 11, 22, test::kBlue);
  QImage huge(2000, 2000, QImage::Format_RGB32);
  huge.fill(test::kBlue);
  const struct {
    const char* svg;
    std::string png;
    QColor shown;  // at the middle; the left edge shows whether the PNG kept its alpha
    const char* named;
    bool pngReadFails = false;
  } rows[] = {
      {kRedSquare, test::Encoded(halfBlue, "PNG"), test::kRed, ""},
      {nullptr, test::Encoded(halfBlue, "PNG"), test::kBlue, ""},
      {"<svg", test::Encoded(halfBlue, "PNG"), test::kBlue,
       "x.svg\" cannot be shown: not an SVG drawing"},
      {nullptr, test::Encoded(huge, "PNG"), test::kRed,
       "x.png\" cannot be shown: more than 1024 x 1024 pixels"},
      {nullptr, "\x89PNG", test::kRed, "x.png\" cannot be shown: not a PNG picture"},
      {nullptr, test::Encoded(halfBlue, "PNG"), test::kRed,
       "x.png\" cannot be shown: it could not be read whole (Input/output error)", true},
  };
  for (const auto& row : rows) {
    test::Run run;                                         // its own pois folder
    run.AddCategory("x", "", test::kRed, true);            // a keyed BMP beside them
    if (row.svg) run.folder.Write("pois/X.SVG", row.svg);  // in any letter case
    run.folder.Write("pois/x.png", row.png);
    test::FaultyFileSystem files;
    if (row.pngReadFails) files.Fail(test::FaultyFileSystem::Call::Read, EIO).On("x.png");
    CategoryPictures pictures(files);
    const CategoryEntry& category = run.state.categoryTable.rows[0];
    testing::internal::CaptureStderr();
    for (const double scale : {1.0, 3.375}) {
      const int side = static_cast<int>(std::lround(22 * scale));
      const QImage shown = pictures.Picture(category, side, scale, 1).toImage();
      EXPECT_EQ(shown.size(), QSize(side, side)) << row.named;
      EXPECT_EQ(shown.pixelColor(side * 3 / 4, side / 2), row.shown) << row.named;
      // Only the drawing reaches the edge.
      EXPECT_EQ(shown.pixelColor(0, side / 2).alpha(), row.svg == kRedSquare ? 255 : 0);
      for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
          const QColor pixel = shown.pixelColor(x, y);
          ASSERT_TRUE(pixel.alpha() == 0 || pixel.red() < 40 || pixel.blue() < 40)
              << x << "," << y << " " << row.named;  // no magenta mixed in
        }
      }
    }
    const std::string explained = testing::internal::GetCapturedStderr();
    EXPECT_NE(explained.find(row.named), std::string::npos) << explained;
    EXPECT_EQ(explained.empty(), *row.named == '\0') << explained;  // and once only
    EXPECT_EQ(pictures.Picture(category, 22, 1, 1).cacheKey(),
              pictures.Picture(category, 22, 1, 1).cacheKey());  // made once per size
  }
}

}  // namespace
}  // namespace poirec
