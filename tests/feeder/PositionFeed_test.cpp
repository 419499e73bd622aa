#include "feeder/PositionFeed.h"

#include <gtest/gtest.h>

#include <limits>

namespace poirec {
namespace {

using std::chrono::seconds;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const TimePoint kStart{seconds(1000)};

GpsReport Fix(double latitude, double longitude, std::optional<double> course,
              FixMode mode = FixMode::ThreeD) {
  return {mode, latitude, longitude, course};
}

TEST(PositionFeed, TakesOnlyA2DOr3DFixWithAPositionAndKeepsTheLastCourse) {
  // Each report follows a valid fix at 48.0, 11.0 heading 200.
  const PositionFileContents before{48.0, 11.0, 200.0, true};
  const PositionFileContents lost{48.0, 11.0, 200.0, false};
  const std::pair<GpsReport, PositionFileContents> cases[] = {
      {Fix(48.5, 11.5, 245.7), {48.5, 11.5, 245.7, true}},
      {Fix(48.5, 11.5, 245.7, FixMode::TwoD), {48.5, 11.5, 245.7, true}},
      // Standing still: no course, the last one stands.
      {Fix(48.5, 11.5, std::nullopt), {48.5, 11.5, 200.0, true}},
      {Fix(48.5, 11.5, kNaN), {48.5, 11.5, 200.0, true}},
      {Fix(48.5, 11.5, -10.0), {48.5, 11.5, 350.0, true}},
      {Fix(-90.0, -180.0, 0.0), {-90.0, -180.0, 0.0, true}},
      // No fix: the position stays, but it is not valid; a position the receiver sends
      // without a fix is not taken.
      {Fix(48.5, 11.5, 245.7, FixMode::NoFix), lost},
      {{FixMode::TwoD, 48.5, std::nullopt, std::nullopt}, lost},
      {Fix(kNaN, 11.5, 245.7), lost},
      {Fix(48.5, std::numeric_limits<double>::infinity(), 245.7), lost},
      {Fix(90.5, 11.5, 245.7), lost},
      {Fix(48.5, -180.1, 245.7), lost}};
  for (const auto& [report, expected] : cases) {
    PositionFeed feed(seconds(3), {});
    feed.OnReport(Fix(before.latitude, before.longitude, before.course), kStart);
    feed.OnReport(report, kStart + seconds(1));
    feed.Expire(kStart + seconds(1));
    EXPECT_EQ(feed.Contents(), expected) << expected.latitude << " " << expected.course;
  }
}

}  // namespace
}  // namespace poirec
