#include "feeder/LibgpsSource.h"

#include <gps.h>

#include <cerrno>
#include <cmath>
#include <utility>

namespace poirec {
namespace {

FixMode ToFixMode(const gps_data_t& data) {
  if ((data.set & MODE_SET) == 0) return FixMode::Unknown;
  switch (data.fix.mode) {
    case MODE_NO_FIX: return FixMode::NoFix;
    case MODE_2D: return FixMode::TwoD;
    case MODE_3D: return FixMode::ThreeD;
    default: return FixMode::Unknown;
  }
}

// libgps marks a value the report did not carry as not finite.
std::optional<double> Finite(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

LibgpsSource::LibgpsSource(std::string host, std::string port, StopSignals& stop)
    : host_(std::move(host)), port_(std::move(port)), stop_(stop), data_(new gps_data_t{}) {}

LibgpsSource::~LibgpsSource() { Disconnect(); }

bool LibgpsSource::Connect(std::string& reason) {
  Disconnect();
  *data_ = gps_data_t{};
  errno = 0;
  if (gps_open(host_.c_str(), port_.c_str(), data_.get()) != 0) {
    reason = gps_errstr(errno);
    return false;
  }
  connected_ = true;
  if (gps_stream(data_.get(), WATCH_ENABLE | WATCH_JSON, nullptr) != 0) {
    reason = "gpsd did not take the request for reports";
    Disconnect();
    return false;
  }
  return true;
}

void LibgpsSource::Disconnect() {
  if (!connected_) return;
  gps_close(data_.get());
  connected_ = false;
}

LibgpsSource::Read LibgpsSource::ReadMessage(GpsReport& report) {
  // set tells which parts this one message filled in; only a TPV report sets the status.
  data_->set = 0;
  const int length = gps_read(data_.get(), nullptr, 0);
  if (length < 0) return Read::Lost;
  if (length == 0) return Read::Incomplete;
  if ((data_->set & (STATUS_SET | MODE_SET)) == 0) return Read::Other;

  report = GpsReport{};
  report.mode = ToFixMode(*data_);
  if ((data_->set & LATLON_SET) != 0) {
    report.latitude = Finite(data_->fix.latitude);
    report.longitude = Finite(data_->fix.longitude);
  }
  if ((data_->set & TRACK_SET) != 0) report.course = Finite(data_->fix.track);
  return Read::Report;
}

GpsEvent LibgpsSource::Wait(TimePoint deadline) {
  while (true) {
    if (stop_.Requested()) return {GpsEvent::Kind::Stop, {}};
    if (connected_) {
      // libgps keeps what it read beyond one message; those come before the socket.
      while (gps_waiting(data_.get(), 0)) {
        GpsReport report;
        const Read read = ReadMessage(report);
        if (read == Read::Report) return {GpsEvent::Kind::Report, report};
        if (read == Read::Lost) return {GpsEvent::Kind::Lost, {}};
        if (read == Read::Incomplete) break;
      }
    }
    const TimePoint now = FeedClock::now();
    if (now >= deadline) return {GpsEvent::Kind::Quiet, {}};
    switch (stop_.WaitForInput(connected_ ? data_->gps_fd : -1, deadline - now)) {
      case StopSignals::Wait::Stop: return {GpsEvent::Kind::Stop, {}};
      case StopSignals::Wait::Timeout: return {GpsEvent::Kind::Quiet, {}};
      case StopSignals::Wait::Input: break;
    }
  }
}

}  // namespace poirec
