#include "feeder/PositionFeed.h"

#include <cmath>

namespace poirec {

bool HasUsableFix(const GpsReport& report) {
  if (report.mode != FixMode::TwoD && report.mode != FixMode::ThreeD) return false;
  if (!report.latitude || !report.longitude) return false;
  const double latitude = *report.latitude, longitude = *report.longitude;
  return std::isfinite(latitude) && std::isfinite(longitude) && std::fabs(latitude) <= 90.0 &&
         std::fabs(longitude) <= 180.0;
}

PositionFeed::PositionFeed(std::chrono::nanoseconds staleAfter,
                           const PositionFileContents& lastKnown)
    : staleAfter_(staleAfter), contents_(lastKnown) {
  contents_.valid = false;
}

void PositionFeed::OnReport(const GpsReport& report, TimePoint now) {
  if (!HasUsableFix(report)) {
    // No fix, or one without a position: the last position stays, marked not valid.
    contents_.valid = false;
    return;
  }
  contents_.latitude = *report.latitude;
  contents_.longitude = *report.longitude;
  // Standing still, a receiver reports no course; the last one written stands.
  if (report.course && std::isfinite(*report.course)) {
    contents_.course = NormalizeCourse(*report.course);
  }
  contents_.valid = true;
  fixArrived_ = now;
}

void PositionFeed::DropFix() { contents_.valid = false; }

void PositionFeed::Expire(TimePoint now) {
  if (contents_.valid && now - fixArrived_ >= staleAfter_) contents_.valid = false;
}

std::optional<TimePoint> PositionFeed::StaleAt() const {
  if (!contents_.valid) return std::nullopt;
  return fixArrived_ + staleAfter_;
}

}  // namespace poirec
